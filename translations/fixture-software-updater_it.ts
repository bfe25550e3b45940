<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>commandLine</name>
    <message>
        <source>Interface: %1 (%2)</source>
        <translation>Interfaccia: %1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>%n interface boxes are attached; name one with --interface PORT.</source>
        <translation>
            <numerusform>È collegata %n interfaccia; indicarne una con --interface PORTA.</numerusform>
            <numerusform>Sono collegate %n interfacce; indicarne una con --interface PORTA.</numerusform>
        </translation>
    </message>
    <message>
        <source>Attached:</source>
        <translation>Dispositivi collegati:</translation>
    </message>
    <message>
        <source>Sends the update file without a window.</source>
        <translation>Invia il file di aggiornamento senza finestra.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>The interface to send through, as a port name or a device path.</source>
        <translation>L&apos;interfaccia attraverso cui inviare, come nome di porta o percorso di dispositivo.</translation>
    </message>
    <message>
        <source>PORT</source>
        <translation>PORTA</translation>
    </message>
    <message>
        <source>Sends even when the battery may not last for the whole update.</source>
        <translation>Invia anche se la batteria potrebbe non durare per tutto l&apos;aggiornamento.</translation>
    </message>
    <message>
        <source>Lists the interfaces, as the Interfaces menu does.</source>
        <translation>Elenca le interfacce, come il menu Interfacce.</translation>
    </message>
    <message>
        <source>Shows the program&apos;s version.</source>
        <translation>Mostra la versione del programma.</translation>
    </message>
    <message>
        <source>Shows these options.</source>
        <translation>Mostra queste opzioni.</translation>
    </message>
    <message>
        <source>%1: sends a firmware update file to a fixture.</source>
        <translation>%1: invia un file di aggiornamento del firmware a un proiettore.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>Argomento non previsto: %1</translation>
    </message>
    <message>
        <source>--list-interfaces cannot be combined with --send.</source>
        <translation>Non è possibile combinare --list-interfaces con --send.</translation>
    </message>
    <message>
        <source>No port after --interface.</source>
        <translation>Manca la porta dopo --interface.</translation>
    </message>
    <message>
        <source>Nothing to do: name the update file with --send FILE.</source>
        <translation>Niente da fare: indicare il file di aggiornamento con --send FILE.</translation>
    </message>
    <message>
        <source>There is no display for the window; send the update file with --send FILE.</source>
        <translation>Non c&apos;è un display per mostrare la finestra; inviare il file di aggiornamento con --send FILE.</translation>
    </message>
    <message>
        <source>Sends a file with lines that are not frame data. A file whose published checksum does not match is never sent.</source>
        <translation>Invia un file con righe che non contengono dati di frame. Un file la cui somma pubblicata non corrisponde non viene mai inviato.</translation>
    </message>
    <message>
        <source>Lists every update recorded for this user, oldest first.</source>
        <translation>Elenca ogni aggiornamento registrato per questo utente, dal più vecchio.</translation>
    </message>
    <message>
        <source>With --history: one JSON object per update, for scripts.</source>
        <translation>Con --history: un oggetto JSON per aggiornamento, per gli script.</translation>
    </message>
    <message>
        <source>--history cannot be combined with --send or --list-interfaces.</source>
        <translation>Non è possibile combinare --history con --send o --list-interfaces.</translation>
    </message>
    <message>
        <source>--json goes only with --history.</source>
        <translation>--json si usa solo insieme a --history.</translation>
    </message>
</context>
<context>
    <name>commandLineUpdate</name>
    <message>
        <source>The computer is not kept awake during the update: %1</source>
        <translation>Il computer non viene mantenuto attivo durante l&apos;aggiornamento: %1</translation>
    </message>
    <message>
        <source>Not started. Connect the charger, or start again with --ignore-power.</source>
        <translation>Aggiornamento non avviato. Collegare il caricabatterie o avviarlo di nuovo con --ignore-power.</translation>
    </message>
    <message>
        <source>%1 % · %2 of %3 lines · about %4 left</source>
        <translation>%1 % · %2 di %3 righe · tempo rimanente: circa %4</translation>
    </message>
    <message>
        <source>%1 (file %2, interface %3)</source>
        <translation>%1 (file %2, interfaccia %3)</translation>
    </message>
    <message>
        <source>Canceled before it started</source>
        <translation>Annullato prima di iniziare</translation>
    </message>
    <message>
        <source>Not started. Check the file, or start again with --force.</source>
        <translation>Aggiornamento non avviato. Controllare il file o avviarlo di nuovo con --force.</translation>
    </message>
</context>
<context>
    <name>fixtureSoftwareUpdater</name>
    <message>
        <source>Select File</source>
        <translation>Scegli file</translation>
    </message>
    <message>
        <source>No File Selected</source>
        <translation>Nessun file scelto</translation>
    </message>
    <message>
        <source>Update File Information</source>
        <translation>Dati del file di aggiornamento</translation>
    </message>
    <message>
        <source>Update Progress</source>
        <translation>Avanzamento dell&apos;aggiornamento</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aggiorna</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Avvia</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>App</source>
        <translation>Applicazione</translation>
    </message>
    <message>
        <source>Interfaces</source>
        <translation>Interfacce</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>Refresh Interfaces List</source>
        <translation>Ricarica elenco interfacce</translation>
    </message>
    <message>
        <source>Select port and update file to start!</source>
        <translation>Per avviare, scegliere l&apos;interfaccia e il file di aggiornamento!</translation>
    </message>
    <message>
        <source>Currently no interface selected!</source>
        <translation>Nessuna interfaccia scelta!</translation>
    </message>
    <message>
        <source>Current interface: %1</source>
        <translation>Interfaccia attuale: %1</translation>
    </message>
    <message>
        <source>Select Firmware</source>
        <translation>Scegli firmware</translation>
    </message>
    <message>
        <source>Firmware Files %1</source>
        <translation>File firmware %1</translation>
    </message>
    <message>
        <source>Start Anyway</source>
        <translation>Avvia comunque</translation>
    </message>
    <message>
        <source>About %1 left</source>
        <translation>Tempo rimanente: circa %1</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Mostra</translation>
    </message>
    <message>
        <source>Update failed</source>
        <translation>Aggiornamento non riuscito</translation>
    </message>
    <message>
        <source>File: %1
Interface: %2</source>
        <translation>File: %1
Interfaccia: %2</translation>
    </message>
    <message>
        <source>&amp;History…</source>
        <translation>&amp;Cronologia…</translation>
    </message>
</context>
<context>
    <name>historyDialog</name>
    <message>
        <source>Reading the update history…</source>
        <translation>Lettura della cronologia degli aggiornamenti…</translation>
    </message>
    <message>
        <source>Update History</source>
        <translation>Cronologia degli aggiornamenti</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Quando</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Esito</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Fixture</source>
        <translation>Apparecchio</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Interfaccia</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Righe</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durata</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Messaggio</translation>
    </message>
    <message>
        <source>No update has been recorded yet.</source>
        <translation>Non è stato ancora registrato alcun aggiornamento.</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 di %2</translation>
    </message>
</context>
<context>
    <name>historyListing</name>
    <message>
        <source>%1 of %2 lines</source>
        <translation>%1 di %2 righe</translation>
    </message>
</context>
<context>
    <name>historyRow</name>
    <message>
        <source>window</source>
        <translation>finestra</translation>
    </message>
    <message>
        <source>command line</source>
        <translation>riga di comando</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Conclusa</translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation>Annullata</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fallita</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>In corso</translation>
    </message>
    <message>
        <source>Interrupted</source>
        <translation>Interrotta</translation>
    </message>
</context>
<context>
    <name>historyStore</name>
    <message>
        <source>The update history in %1 was damaged; it is kept as %2, and a new one is begun.</source>
        <translation>La cronologia degli aggiornamenti in %1 era danneggiata; viene conservata come %2 e ne viene iniziata una nuova.</translation>
    </message>
    <message>
        <source>The update history cannot be kept in %1: %2</source>
        <translation>Impossibile tenere la cronologia degli aggiornamenti in %1: %2</translation>
    </message>
    <message>
        <source>The update history in %1 cannot be read: %2</source>
        <translation>Impossibile leggere la cronologia degli aggiornamenti in %1: %2</translation>
    </message>
</context>
<context>
    <name>portErrorMessage</name>
    <message>
        <source>Serialport Error: DeviceNotFoundError</source>
        <translation>Errore della porta seriale: DeviceNotFoundError</translation>
    </message>
    <message>
        <source>Serialport Error: PermissionError</source>
        <translation>Errore della porta seriale: PermissionError</translation>
    </message>
    <message>
        <source>Serialport Error: OpenError Device already open</source>
        <translation>Errore della porta seriale: OpenError: dispositivo già aperto</translation>
    </message>
    <message>
        <source>Serialport Error: ParityError</source>
        <translation>Errore della porta seriale: ParityError</translation>
    </message>
    <message>
        <source>Serialport Error: FramingError</source>
        <translation>Errore della porta seriale: FramingError</translation>
    </message>
    <message>
        <source>Serialport Error: BreakConditionError</source>
        <translation>Errore della porta seriale: BreakConditionError</translation>
    </message>
    <message>
        <source>Serialport Error: WriteError</source>
        <translation>Errore della porta seriale: WriteError</translation>
    </message>
    <message>
        <source>Serialport Error: ReadError</source>
        <translation>Errore della porta seriale: ReadError</translation>
    </message>
    <message>
        <source>Serialport Error: ResourceError: Device Unavailable</source>
        <translation>Errore della porta seriale: ResourceError: dispositivo non disponibile</translation>
    </message>
    <message>
        <source>Serialport Error: UnsupportedOperationError</source>
        <translation>Errore della porta seriale: UnsupportedOperationError</translation>
    </message>
    <message>
        <source>Serialport Error: UnknownError</source>
        <translation>Errore della porta seriale: UnknownError</translation>
    </message>
    <message>
        <source>Serialport Error: TimeoutError</source>
        <translation>Errore della porta seriale: TimeoutError</translation>
    </message>
    <message>
        <source>Serialport Error: NotOpenError</source>
        <translation>Errore della porta seriale: NotOpenError</translation>
    </message>
    <message>
        <source>Serialport Error: %1</source>
        <translation>Errore della porta seriale: %1</translation>
    </message>
</context>
<context>
    <name>powerWarning</name>
    <message>
        <source>The battery has about %1 left, and the update takes about %2.</source>
        <translation>La batteria ha un&apos;autonomia residua di circa %1 e l&apos;aggiornamento richiede circa %2.</translation>
    </message>
    <message>
        <source>The battery is at %1 %, and the update takes about %2.</source>
        <translation>La batteria è al %1 % e l&apos;aggiornamento richiede circa %2.</translation>
    </message>
    <message>
        <source>If the computer turns off during the update, the fixture is left without working firmware. Connect the charger before you start.</source>
        <translation>Se il computer si spegne durante l&apos;aggiornamento, il proiettore resta senza un firmware funzionante. Collegare il caricabatterie prima di iniziare.</translation>
    </message>
</context>
<context>
    <name>publishedChecksum</name>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 non è un file regolare</translation>
    </message>
    <message>
        <source>Couldn&apos;t read %1: %2</source>
        <translation>Impossibile leggere %1: %2</translation>
    </message>
    <message>
        <source>%1 holds no SHA-256 digest</source>
        <translation>%1 non contiene alcuna somma SHA-256</translation>
    </message>
    <message>
        <source>The update file is not the one that was published: its SHA-256 is %1, and %2 says %3.</source>
        <translation>Il file di aggiornamento non è quello pubblicato: la sua somma SHA-256 è %1, e %2 indica %3.</translation>
    </message>
    <message>
        <source>SHA-256 matches %1</source>
        <translation>SHA-256 corrispondente a %1</translation>
    </message>
</context>
<context>
    <name>runEnd</name>
    <message>
        <source>Finished!</source>
        <translation>Concluso!</translation>
    </message>
    <message>
        <source>Canceled!</source>
        <translation>Annullato!</translation>
    </message>
</context>
<context>
    <name>serialPortThread</name>
    <message>
        <source>Couldn&apos;t Open Update file:%1</source>
        <translation>Impossibile aprire il file di aggiornamento: %1</translation>
    </message>
    <message>
        <source>Unable to set Baudrate!</source>
        <translation>Impossibile impostare la velocità in baud!</translation>
    </message>
    <message>
        <source>Unable to set DataBits</source>
        <translation>Impossibile impostare i bit di dati</translation>
    </message>
    <message>
        <source>Unable to set Parity</source>
        <translation>Impossibile impostare la parità</translation>
    </message>
    <message>
        <source>Unable to set Stop Bits</source>
        <translation>Impossibile impostare i bit di stop</translation>
    </message>
    <message>
        <source>Unable to set FlowControl</source>
        <translation>Impossibile impostare il controllo di flusso</translation>
    </message>
    <message>
        <source>Unable to open the interface %1</source>
        <translation>Impossibile aprire l&apos;interfaccia %1</translation>
    </message>
    <message>
        <source>Interface Text mode enabled</source>
        <translation>Interfaccia in modalità testo</translation>
    </message>
    <message>
        <source>Unable to set DataTerminalReady</source>
        <translation>Impossibile attivare il segnale DataTerminalReady (DTR)</translation>
    </message>
    <message>
        <source>Sending to the interface failed, the update was stopped</source>
        <translation>Invio all&apos;interfaccia non riuscito, aggiornamento interrotto</translation>
    </message>
</context>
<context>
    <name>sleepInhibitor</name>
    <message>
        <source>the system bus does not answer</source>
        <translation>il bus di sistema non risponde</translation>
    </message>
    <message>
        <source>Fixture firmware update in progress</source>
        <translation>Aggiornamento del firmware del proiettore in corso</translation>
    </message>
    <message>
        <source>logind answered without a lock</source>
        <translation>logind ha risposto senza blocco</translation>
    </message>
</context>
<context>
    <name>updateDuration</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 h</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n giorno</numerusform>
            <numerusform>%n giorni</numerusform>
        </translation>
    </message>
    <message>
        <source>The update takes about %1</source>
        <translation>L&apos;aggiornamento richiede circa %1</translation>
    </message>
</context>
<context>
    <name>updateFileCheck</name>
    <message>
        <source>Is a directory: %1</source>
        <translation>È una directory: %1</translation>
    </message>
    <message>
        <source>Not a regular file: %1</source>
        <translation>Non è un file regolare: %1</translation>
    </message>
    <message>
        <source>Couldn&apos;t open file %1</source>
        <translation>Impossibile aprire il file: %1</translation>
    </message>
</context>
<context>
    <name>updateFileReader</name>
    <message>
        <source>Couldn&apos;t read update file %1: %2</source>
        <translation>Impossibile leggere il file di aggiornamento %1: %2</translation>
    </message>
</context>
<context>
    <name>updateFileReading</name>
    <message>
        <source>Line %1 of this file is not frame data: it would be sent to the fixture as zeros.</source>
        <translation>La riga %1 di questo file non contiene dati di frame: verrebbe inviata all’apparecchio come zeri.</translation>
    </message>
    <message numerus="yes">
        <source>%n lines of this file are not frame data, the first of them line %1: they would be sent to the fixture as zeros.</source>
        <translation>
            <numerusform>%n riga di questo file non contiene dati di frame, la prima è la riga %1: verrebbe inviata all’apparecchio come zeri.</numerusform>
            <numerusform>%n righe di questo file non contengono dati di frame, la prima è la riga %1: verrebbero inviate all’apparecchio come zeri.</numerusform>
        </translation>
    </message>
    <message>
        <source>The file may be damaged, or no update file at all. Send it only if its vendor says that it is right.</source>
        <translation>Il file potrebbe essere danneggiato o non essere affatto un file di aggiornamento. Inviarlo solo se il produttore conferma che è corretto.</translation>
    </message>
    <message>
        <source>Line %1 is not frame data</source>
        <translation>La riga %1 non contiene dati di frame</translation>
    </message>
    <message numerus="yes">
        <source>%n lines are not frame data, the first line %1</source>
        <translation>
            <numerusform>%n riga non contiene dati di frame, la prima è la riga %1</numerusform>
            <numerusform>%n righe non contengono dati di frame, la prima è la riga %1</numerusform>
        </translation>
    </message>
</context>
</TS>
