<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>commandLine</name>
    <message>
        <source>Interface: %1 (%2)</source>
        <translation>Interface&#xa0;: %1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>%n interface boxes are attached; name one with --interface PORT.</source>
        <translation>
            <numerusform>%n boîtier d&apos;interface est branché&#x202f;; indiquez-en un avec --interface PORT.</numerusform>
            <numerusform>%n boîtiers d&apos;interface sont branchés&#x202f;; indiquez-en un avec --interface PORT.</numerusform>
        </translation>
    </message>
    <message>
        <source>Attached:</source>
        <translation>Interfaces branchées&#xa0;:</translation>
    </message>
    <message>
        <source>Sends the update file without a window.</source>
        <translation>Envoie le fichier de mise à jour sans fenêtre.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FICHIER</translation>
    </message>
    <message>
        <source>The interface to send through, as a port name or a device path.</source>
        <translation>L&apos;interface par laquelle envoyer, sous forme de nom de port ou de chemin de périphérique.</translation>
    </message>
    <message>
        <source>PORT</source>
        <translation>PORT</translation>
    </message>
    <message>
        <source>Sends even when the battery may not last for the whole update.</source>
        <translation>Envoie même si la batterie risque de ne pas tenir toute la mise à jour.</translation>
    </message>
    <message>
        <source>Lists the interfaces, as the Interfaces menu does.</source>
        <translation>Liste les interfaces, comme le fait le menu Interfaces.</translation>
    </message>
    <message>
        <source>Shows the program&apos;s version.</source>
        <translation>Affiche la version du programme.</translation>
    </message>
    <message>
        <source>Shows these options.</source>
        <translation>Affiche ces options.</translation>
    </message>
    <message>
        <source>%1: sends a firmware update file to a fixture.</source>
        <translation>%1&#xa0;: envoie un fichier de mise à jour du firmware à un projecteur.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>Argument inattendu&#xa0;: %1</translation>
    </message>
    <message>
        <source>--list-interfaces cannot be combined with --send.</source>
        <translation>--list-interfaces ne peut pas être combiné avec --send.</translation>
    </message>
    <message>
        <source>No port after --interface.</source>
        <translation>Aucun port après --interface.</translation>
    </message>
    <message>
        <source>Nothing to do: name the update file with --send FILE.</source>
        <translation>Rien à faire&#xa0;: indiquez le fichier de mise à jour avec --send FICHIER.</translation>
    </message>
    <message>
        <source>There is no display for the window; send the update file with --send FILE.</source>
        <translation>Aucun affichage disponible pour la fenêtre&#x202f;; envoyez le fichier de mise à jour avec --send FICHIER.</translation>
    </message>
    <message>
        <source>Sends a file with lines that are not frame data. A file whose published checksum does not match is never sent.</source>
        <translation>Envoie un fichier dont des lignes ne contiennent pas de données de trame. Un fichier dont la somme publiée ne correspond pas n’est jamais envoyé.</translation>
    </message>
    <message>
        <source>Lists every update recorded for this user, oldest first.</source>
        <translation>Liste chaque mise à jour enregistrée pour cet utilisateur, la plus ancienne en premier.</translation>
    </message>
    <message>
        <source>With --history: one JSON object per update, for scripts.</source>
        <translation>Avec --history&#xa0;: un objet JSON par mise à jour, pour les scripts.</translation>
    </message>
    <message>
        <source>--history cannot be combined with --send or --list-interfaces.</source>
        <translation>--history ne peut pas être combiné avec --send ou --list-interfaces.</translation>
    </message>
    <message>
        <source>--json goes only with --history.</source>
        <translation>--json ne s&apos;utilise qu&apos;avec --history.</translation>
    </message>
</context>
<context>
    <name>commandLineUpdate</name>
    <message>
        <source>The computer is not kept awake during the update: %1</source>
        <translation>L&apos;ordinateur n&apos;est pas maintenu éveillé pendant la mise à jour&#xa0;: %1</translation>
    </message>
    <message>
        <source>Not started. Connect the charger, or start again with --ignore-power.</source>
        <translation>Mise à jour non démarrée. Branchez le chargeur ou relancez avec --ignore-power.</translation>
    </message>
    <message>
        <source>%1 % · %2 of %3 lines · about %4 left</source>
        <translation>%1&#xa0;% · %2 lignes sur %3 · encore environ %4</translation>
    </message>
    <message>
        <source>%1 (file %2, interface %3)</source>
        <translation>%1 (fichier %2, interface %3)</translation>
    </message>
    <message>
        <source>Canceled before it started</source>
        <translation>Annulée avant d’avoir commencé</translation>
    </message>
    <message>
        <source>Not started. Check the file, or start again with --force.</source>
        <translation>Mise à jour non démarrée. Vérifiez le fichier ou relancez avec --force.</translation>
    </message>
</context>
<context>
    <name>fixtureSoftwareUpdater</name>
    <message>
        <source>Select File</source>
        <translation>Choisir un fichier</translation>
    </message>
    <message>
        <source>No File Selected</source>
        <translation>Aucun fichier choisi</translation>
    </message>
    <message>
        <source>Update File Information</source>
        <translation>Informations sur le fichier de mise à jour</translation>
    </message>
    <message>
        <source>Update Progress</source>
        <translation>Progression de la mise à jour</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Mise à jour</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>App</source>
        <translation>Application</translation>
    </message>
    <message>
        <source>Interfaces</source>
        <translation>Interfaces</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Refresh Interfaces List</source>
        <translation>Actualiser la liste des interfaces</translation>
    </message>
    <message>
        <source>Select port and update file to start!</source>
        <translation>Choisissez le port et le fichier de mise à jour pour démarrer&#x202f;!</translation>
    </message>
    <message>
        <source>Currently no interface selected!</source>
        <translation>Aucune interface choisie pour l&apos;instant&#x202f;!</translation>
    </message>
    <message>
        <source>Current interface: %1</source>
        <translation>Interface actuelle&#xa0;: %1</translation>
    </message>
    <message>
        <source>Select Firmware</source>
        <translation>Choisir le firmware</translation>
    </message>
    <message>
        <source>Firmware Files %1</source>
        <translation>Fichiers de firmware %1</translation>
    </message>
    <message>
        <source>Start Anyway</source>
        <translation>Démarrer quand même</translation>
    </message>
    <message>
        <source>About %1 left</source>
        <translation>Encore environ %1</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Update failed</source>
        <translation>Échec de la mise à jour</translation>
    </message>
    <message>
        <source>File: %1
Interface: %2</source>
        <translation>Fichier&#xa0;: %1
Interface&#xa0;: %2</translation>
    </message>
    <message>
        <source>&amp;History…</source>
        <translation>&amp;Historique…</translation>
    </message>
</context>
<context>
    <name>historyDialog</name>
    <message>
        <source>Reading the update history…</source>
        <translation>Lecture de l&apos;historique des mises à jour…</translation>
    </message>
    <message>
        <source>Update History</source>
        <translation>Historique des mises à jour</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Fixture</source>
        <translation>Projecteur</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Lignes</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>No update has been recorded yet.</source>
        <translation>Aucune mise à jour n&apos;a encore été enregistrée.</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
</context>
<context>
    <name>historyListing</name>
    <message>
        <source>%1 of %2 lines</source>
        <translation>%1 lignes sur %2</translation>
    </message>
</context>
<context>
    <name>historyRow</name>
    <message>
        <source>window</source>
        <translation>fenêtre</translation>
    </message>
    <message>
        <source>command line</source>
        <translation>ligne de commande</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Terminée</translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation>Annulée</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Échouée</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>En cours</translation>
    </message>
    <message>
        <source>Interrupted</source>
        <translation>Interrompue</translation>
    </message>
</context>
<context>
    <name>historyStore</name>
    <message>
        <source>The update history in %1 was damaged; it is kept as %2, and a new one is begun.</source>
        <translation>L&apos;historique des mises à jour dans %1 était endommagé&#x202f;; il est conservé sous %2, et un nouvel historique est commencé.</translation>
    </message>
    <message>
        <source>The update history cannot be kept in %1: %2</source>
        <translation>L&apos;historique des mises à jour ne peut pas être tenu dans %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>The update history in %1 cannot be read: %2</source>
        <translation>Impossible de lire l&apos;historique des mises à jour dans %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>portErrorMessage</name>
    <message>
        <source>Serialport Error: DeviceNotFoundError</source>
        <translation>Erreur du port série&#xa0;: DeviceNotFoundError</translation>
    </message>
    <message>
        <source>Serialport Error: PermissionError</source>
        <translation>Erreur du port série&#xa0;: PermissionError</translation>
    </message>
    <message>
        <source>Serialport Error: OpenError Device already open</source>
        <translation>Erreur du port série&#xa0;: OpenError&#xa0;: périphérique déjà ouvert</translation>
    </message>
    <message>
        <source>Serialport Error: ParityError</source>
        <translation>Erreur du port série&#xa0;: ParityError</translation>
    </message>
    <message>
        <source>Serialport Error: FramingError</source>
        <translation>Erreur du port série&#xa0;: FramingError</translation>
    </message>
    <message>
        <source>Serialport Error: BreakConditionError</source>
        <translation>Erreur du port série&#xa0;: BreakConditionError</translation>
    </message>
    <message>
        <source>Serialport Error: WriteError</source>
        <translation>Erreur du port série&#xa0;: WriteError</translation>
    </message>
    <message>
        <source>Serialport Error: ReadError</source>
        <translation>Erreur du port série&#xa0;: ReadError</translation>
    </message>
    <message>
        <source>Serialport Error: ResourceError: Device Unavailable</source>
        <translation>Erreur du port série&#xa0;: ResourceError&#xa0;: périphérique indisponible</translation>
    </message>
    <message>
        <source>Serialport Error: UnsupportedOperationError</source>
        <translation>Erreur du port série&#xa0;: UnsupportedOperationError</translation>
    </message>
    <message>
        <source>Serialport Error: UnknownError</source>
        <translation>Erreur du port série&#xa0;: UnknownError</translation>
    </message>
    <message>
        <source>Serialport Error: TimeoutError</source>
        <translation>Erreur du port série&#xa0;: TimeoutError</translation>
    </message>
    <message>
        <source>Serialport Error: NotOpenError</source>
        <translation>Erreur du port série&#xa0;: NotOpenError</translation>
    </message>
    <message>
        <source>Serialport Error: %1</source>
        <translation>Erreur du port série&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>powerWarning</name>
    <message>
        <source>The battery has about %1 left, and the update takes about %2.</source>
        <translation>La batterie tient encore environ %1, alors que la mise à jour dure environ %2.</translation>
    </message>
    <message>
        <source>The battery is at %1 %, and the update takes about %2.</source>
        <translation>La batterie est à %1&#xa0;%, alors que la mise à jour dure environ %2.</translation>
    </message>
    <message>
        <source>If the computer turns off during the update, the fixture is left without working firmware. Connect the charger before you start.</source>
        <translation>Si l&apos;ordinateur s&apos;éteint pendant la mise à jour, le projecteur reste sans firmware fonctionnel. Branchez le chargeur avant de démarrer.</translation>
    </message>
</context>
<context>
    <name>publishedChecksum</name>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>Couldn&apos;t read %1: %2</source>
        <translation>Impossible de lire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 holds no SHA-256 digest</source>
        <translation>%1 ne contient aucune somme SHA-256</translation>
    </message>
    <message>
        <source>The update file is not the one that was published: its SHA-256 is %1, and %2 says %3.</source>
        <translation>Le fichier de mise à jour n’est pas celui qui a été publié&#xa0;: sa somme SHA-256 est %1, et %2 indique %3.</translation>
    </message>
    <message>
        <source>SHA-256 matches %1</source>
        <translation>SHA-256 conforme à %1</translation>
    </message>
</context>
<context>
    <name>runEnd</name>
    <message>
        <source>Finished!</source>
        <translation>Terminé&#x202f;!</translation>
    </message>
    <message>
        <source>Canceled!</source>
        <translation>Annulé&#x202f;!</translation>
    </message>
</context>
<context>
    <name>serialPortThread</name>
    <message>
        <source>Couldn&apos;t Open Update file:%1</source>
        <translation>Impossible d&apos;ouvrir le fichier de mise à jour&#xa0;: %1</translation>
    </message>
    <message>
        <source>Unable to set Baudrate!</source>
        <translation>Impossible de régler le débit en bauds&#x202f;!</translation>
    </message>
    <message>
        <source>Unable to set DataBits</source>
        <translation>Impossible de régler les bits de données</translation>
    </message>
    <message>
        <source>Unable to set Parity</source>
        <translation>Impossible de régler la parité</translation>
    </message>
    <message>
        <source>Unable to set Stop Bits</source>
        <translation>Impossible de régler les bits d&apos;arrêt</translation>
    </message>
    <message>
        <source>Unable to set FlowControl</source>
        <translation>Impossible de régler le contrôle de flux</translation>
    </message>
    <message>
        <source>Unable to open the interface %1</source>
        <translation>Impossible d&apos;ouvrir l&apos;interface %1</translation>
    </message>
    <message>
        <source>Interface Text mode enabled</source>
        <translation>Mode texte activé sur l&apos;interface</translation>
    </message>
    <message>
        <source>Unable to set DataTerminalReady</source>
        <translation>Impossible d&apos;activer DataTerminalReady (DTR)</translation>
    </message>
    <message>
        <source>Sending to the interface failed, the update was stopped</source>
        <translation>L&apos;envoi vers l&apos;interface a échoué, la mise à jour a été arrêtée</translation>
    </message>
</context>
<context>
    <name>sleepInhibitor</name>
    <message>
        <source>the system bus does not answer</source>
        <translation>le bus système ne répond pas</translation>
    </message>
    <message>
        <source>Fixture firmware update in progress</source>
        <translation>Mise à jour du firmware d&apos;un projecteur en cours</translation>
    </message>
    <message>
        <source>logind answered without a lock</source>
        <translation>logind a répondu sans verrou</translation>
    </message>
</context>
<context>
    <name>updateDuration</name>
    <message>
        <source>%1 s</source>
        <translation>%1&#xa0;s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1&#xa0;min</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1&#xa0;h</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n&#xa0;jour</numerusform>
            <numerusform>%n&#xa0;jours</numerusform>
        </translation>
    </message>
    <message>
        <source>The update takes about %1</source>
        <translation>La mise à jour dure environ %1</translation>
    </message>
</context>
<context>
    <name>updateFileCheck</name>
    <message>
        <source>Is a directory: %1</source>
        <translation>Est un dossier&#xa0;: %1</translation>
    </message>
    <message>
        <source>Not a regular file: %1</source>
        <translation>N&apos;est pas un fichier ordinaire&#xa0;: %1</translation>
    </message>
    <message>
        <source>Couldn&apos;t open file %1</source>
        <translation>Impossible d&apos;ouvrir le fichier&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>updateFileReader</name>
    <message>
        <source>Couldn&apos;t read update file %1: %2</source>
        <translation>Impossible de lire le fichier de mise à jour %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>updateFileReading</name>
    <message>
        <source>Line %1 of this file is not frame data: it would be sent to the fixture as zeros.</source>
        <translation>La ligne %1 de ce fichier ne contient pas de données de trame&#xa0;: elle serait envoyée au projecteur sous forme de zéros.</translation>
    </message>
    <message numerus="yes">
        <source>%n lines of this file are not frame data, the first of them line %1: they would be sent to the fixture as zeros.</source>
        <translation>
            <numerusform>%n ligne de ce fichier ne contient pas de données de trame, la première étant la ligne %1&#xa0;: elle serait envoyée au projecteur sous forme de zéros.</numerusform>
            <numerusform>%n lignes de ce fichier ne contiennent pas de données de trame, la première étant la ligne %1&#xa0;: elles seraient envoyées au projecteur sous forme de zéros.</numerusform>
        </translation>
    </message>
    <message>
        <source>The file may be damaged, or no update file at all. Send it only if its vendor says that it is right.</source>
        <translation>Le fichier est peut-être endommagé, ou n’est pas du tout un fichier de mise à jour. Ne l’envoyez que si son fabricant confirme qu’il est correct.</translation>
    </message>
    <message>
        <source>Line %1 is not frame data</source>
        <translation>La ligne %1 ne contient pas de données de trame</translation>
    </message>
    <message numerus="yes">
        <source>%n lines are not frame data, the first line %1</source>
        <translation>
            <numerusform>%n ligne ne contient pas de données de trame, la première étant la ligne %1</numerusform>
            <numerusform>%n lignes ne contiennent pas de données de trame, la première étant la ligne %1</numerusform>
        </translation>
    </message>
</context>
</TS>
