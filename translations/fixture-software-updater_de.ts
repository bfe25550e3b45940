<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>commandLine</name>
    <message>
        <source>Interface: %1 (%2)</source>
        <translation>Interface: %1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>%n interface boxes are attached; name one with --interface PORT.</source>
        <translation>
            <numerusform>%n Interface-Box ist angeschlossen; geben Sie eine mit --interface PORT an.</numerusform>
            <numerusform>%n Interface-Boxen sind angeschlossen; geben Sie eine mit --interface PORT an.</numerusform>
        </translation>
    </message>
    <message>
        <source>Attached:</source>
        <translation>Angeschlossen:</translation>
    </message>
    <message>
        <source>Sends the update file without a window.</source>
        <translation>Sendet die Update-Datei ohne Fenster.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>The interface to send through, as a port name or a device path.</source>
        <translation>Das Interface, über das gesendet wird, als Portname oder Gerätepfad.</translation>
    </message>
    <message>
        <source>PORT</source>
        <translation>PORT</translation>
    </message>
    <message>
        <source>Sends even when the battery may not last for the whole update.</source>
        <translation>Sendet auch dann, wenn der Akku womöglich nicht für das ganze Update reicht.</translation>
    </message>
    <message>
        <source>Lists the interfaces, as the Interfaces menu does.</source>
        <translation>Listet die Interfaces so auf wie das Menü „Interfaces“.</translation>
    </message>
    <message>
        <source>Shows the program&apos;s version.</source>
        <translation>Zeigt die Version des Programms an.</translation>
    </message>
    <message>
        <source>Shows these options.</source>
        <translation>Zeigt diese Optionen an.</translation>
    </message>
    <message>
        <source>%1: sends a firmware update file to a fixture.</source>
        <translation>%1: sendet eine Firmware-Update-Datei an einen Scheinwerfer.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>Unerwartetes Argument: %1</translation>
    </message>
    <message>
        <source>--list-interfaces cannot be combined with --send.</source>
        <translation>--list-interfaces kann nicht mit --send kombiniert werden.</translation>
    </message>
    <message>
        <source>No port after --interface.</source>
        <translation>Kein Port nach --interface angegeben.</translation>
    </message>
    <message>
        <source>Nothing to do: name the update file with --send FILE.</source>
        <translation>Nichts zu tun: Geben Sie die Update-Datei mit --send DATEI an.</translation>
    </message>
    <message>
        <source>There is no display for the window; send the update file with --send FILE.</source>
        <translation>Für das Fenster ist kein Display verfügbar; senden Sie die Update-Datei mit --send DATEI.</translation>
    </message>
    <message>
        <source>Sends a file with lines that are not frame data. A file whose published checksum does not match is never sent.</source>
        <translation>Sendet eine Datei mit Zeilen, die keine Frame-Daten enthalten. Eine Datei, deren veröffentlichte Prüfsumme nicht stimmt, wird nie gesendet.</translation>
    </message>
    <message>
        <source>Lists every update recorded for this user, oldest first.</source>
        <translation>Listet jedes für diesen Benutzer aufgezeichnete Update auf, das älteste zuerst.</translation>
    </message>
    <message>
        <source>With --history: one JSON object per update, for scripts.</source>
        <translation>Mit --history: ein JSON-Objekt je Update, für Skripte.</translation>
    </message>
    <message>
        <source>--history cannot be combined with --send or --list-interfaces.</source>
        <translation>--history kann nicht mit --send oder --list-interfaces kombiniert werden.</translation>
    </message>
    <message>
        <source>--json goes only with --history.</source>
        <translation>--json geht nur zusammen mit --history.</translation>
    </message>
</context>
<context>
    <name>commandLineUpdate</name>
    <message>
        <source>The computer is not kept awake during the update: %1</source>
        <translation>Der Computer wird während des Updates nicht wach gehalten: %1</translation>
    </message>
    <message>
        <source>Not started. Connect the charger, or start again with --ignore-power.</source>
        <translation>Nicht gestartet. Schließen Sie das Netzteil an oder starten Sie erneut mit --ignore-power.</translation>
    </message>
    <message>
        <source>%1 % · %2 of %3 lines · about %4 left</source>
        <translation>%1 % · %2 von %3 Zeilen · noch etwa %4</translation>
    </message>
    <message>
        <source>%1 (file %2, interface %3)</source>
        <translation>%1 (Datei %2, Interface %3)</translation>
    </message>
    <message>
        <source>Canceled before it started</source>
        <translation>Abgebrochen, bevor das Update begann</translation>
    </message>
    <message>
        <source>Not started. Check the file, or start again with --force.</source>
        <translation>Nicht gestartet. Prüfen Sie die Datei oder starten Sie erneut mit --force.</translation>
    </message>
</context>
<context>
    <name>fixtureSoftwareUpdater</name>
    <message>
        <source>Select File</source>
        <translation>Datei wählen</translation>
    </message>
    <message>
        <source>No File Selected</source>
        <translation>Keine Datei gewählt</translation>
    </message>
    <message>
        <source>Update File Information</source>
        <translation>Angaben zur Update-Datei</translation>
    </message>
    <message>
        <source>Update Progress</source>
        <translation>Update-Fortschritt</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>App</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>Interfaces</source>
        <translation>Interfaces</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Refresh Interfaces List</source>
        <translation>Interface-Liste aktualisieren</translation>
    </message>
    <message>
        <source>Select port and update file to start!</source>
        <translation>Wählen Sie Port und Update-Datei, um zu starten!</translation>
    </message>
    <message>
        <source>Currently no interface selected!</source>
        <translation>Derzeit kein Interface gewählt!</translation>
    </message>
    <message>
        <source>Current interface: %1</source>
        <translation>Aktuelles Interface: %1</translation>
    </message>
    <message>
        <source>Select Firmware</source>
        <translation>Firmware wählen</translation>
    </message>
    <message>
        <source>Firmware Files %1</source>
        <translation>Firmware-Dateien %1</translation>
    </message>
    <message>
        <source>Start Anyway</source>
        <translation>Trotzdem starten</translation>
    </message>
    <message>
        <source>About %1 left</source>
        <translation>Noch etwa %1</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Update failed</source>
        <translation>Update fehlgeschlagen</translation>
    </message>
    <message>
        <source>File: %1
Interface: %2</source>
        <translation>Datei: %1
Interface: %2</translation>
    </message>
    <message>
        <source>&amp;History…</source>
        <translation>&amp;Verlauf…</translation>
    </message>
</context>
<context>
    <name>historyDialog</name>
    <message>
        <source>Reading the update history…</source>
        <translation>Der Update-Verlauf wird gelesen…</translation>
    </message>
    <message>
        <source>Update History</source>
        <translation>Update-Verlauf</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Fixture</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>No update has been recorded yet.</source>
        <translation>Es wurde noch kein Update aufgezeichnet.</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>historyListing</name>
    <message>
        <source>%1 of %2 lines</source>
        <translation>%1 von %2 Zeilen</translation>
    </message>
</context>
<context>
    <name>historyRow</name>
    <message>
        <source>window</source>
        <translation>Fenster</translation>
    </message>
    <message>
        <source>command line</source>
        <translation>Befehlszeile</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Läuft</translation>
    </message>
    <message>
        <source>Interrupted</source>
        <translation>Unterbrochen</translation>
    </message>
</context>
<context>
    <name>historyStore</name>
    <message>
        <source>The update history in %1 was damaged; it is kept as %2, and a new one is begun.</source>
        <translation>Der Update-Verlauf in %1 war beschädigt; er bleibt als %2 erhalten, und ein neuer wird begonnen.</translation>
    </message>
    <message>
        <source>The update history cannot be kept in %1: %2</source>
        <translation>Der Update-Verlauf kann nicht in %1 geführt werden: %2</translation>
    </message>
    <message>
        <source>The update history in %1 cannot be read: %2</source>
        <translation>Der Update-Verlauf in %1 kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>portErrorMessage</name>
    <message>
        <source>Serialport Error: DeviceNotFoundError</source>
        <translation>Fehler am seriellen Port: DeviceNotFoundError</translation>
    </message>
    <message>
        <source>Serialport Error: PermissionError</source>
        <translation>Fehler am seriellen Port: PermissionError</translation>
    </message>
    <message>
        <source>Serialport Error: OpenError Device already open</source>
        <translation>Fehler am seriellen Port: OpenError: Gerät bereits geöffnet</translation>
    </message>
    <message>
        <source>Serialport Error: ParityError</source>
        <translation>Fehler am seriellen Port: ParityError</translation>
    </message>
    <message>
        <source>Serialport Error: FramingError</source>
        <translation>Fehler am seriellen Port: FramingError</translation>
    </message>
    <message>
        <source>Serialport Error: BreakConditionError</source>
        <translation>Fehler am seriellen Port: BreakConditionError</translation>
    </message>
    <message>
        <source>Serialport Error: WriteError</source>
        <translation>Fehler am seriellen Port: WriteError</translation>
    </message>
    <message>
        <source>Serialport Error: ReadError</source>
        <translation>Fehler am seriellen Port: ReadError</translation>
    </message>
    <message>
        <source>Serialport Error: ResourceError: Device Unavailable</source>
        <translation>Fehler am seriellen Port: ResourceError: Gerät nicht verfügbar</translation>
    </message>
    <message>
        <source>Serialport Error: UnsupportedOperationError</source>
        <translation>Fehler am seriellen Port: UnsupportedOperationError</translation>
    </message>
    <message>
        <source>Serialport Error: UnknownError</source>
        <translation>Fehler am seriellen Port: UnknownError</translation>
    </message>
    <message>
        <source>Serialport Error: TimeoutError</source>
        <translation>Fehler am seriellen Port: TimeoutError</translation>
    </message>
    <message>
        <source>Serialport Error: NotOpenError</source>
        <translation>Fehler am seriellen Port: NotOpenError</translation>
    </message>
    <message>
        <source>Serialport Error: %1</source>
        <translation>Fehler am seriellen Port: %1</translation>
    </message>
</context>
<context>
    <name>powerWarning</name>
    <message>
        <source>The battery has about %1 left, and the update takes about %2.</source>
        <translation>Der Akku hält noch etwa %1, das Update dauert etwa %2.</translation>
    </message>
    <message>
        <source>The battery is at %1 %, and the update takes about %2.</source>
        <translation>Der Akku ist noch zu %1 % geladen, das Update dauert etwa %2.</translation>
    </message>
    <message>
        <source>If the computer turns off during the update, the fixture is left without working firmware. Connect the charger before you start.</source>
        <translation>Schaltet sich der Computer während des Updates aus, bleibt der Scheinwerfer ohne funktionierende Firmware. Schließen Sie vor dem Start das Netzteil an.</translation>
    </message>
</context>
<context>
    <name>publishedChecksum</name>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>Couldn&apos;t read %1: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 holds no SHA-256 digest</source>
        <translation>%1 enthält keine SHA-256-Prüfsumme</translation>
    </message>
    <message>
        <source>The update file is not the one that was published: its SHA-256 is %1, and %2 says %3.</source>
        <translation>Die Update-Datei ist nicht die veröffentlichte: ihre SHA-256-Prüfsumme ist %1, und %2 nennt %3.</translation>
    </message>
    <message>
        <source>SHA-256 matches %1</source>
        <translation>SHA-256 stimmt mit %1 überein</translation>
    </message>
</context>
<context>
    <name>runEnd</name>
    <message>
        <source>Finished!</source>
        <translation>Fertig!</translation>
    </message>
    <message>
        <source>Canceled!</source>
        <translation>Abgebrochen!</translation>
    </message>
</context>
<context>
    <name>serialPortThread</name>
    <message>
        <source>Couldn&apos;t Open Update file:%1</source>
        <translation>Update-Datei konnte nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Unable to set Baudrate!</source>
        <translation>Baudrate konnte nicht eingestellt werden!</translation>
    </message>
    <message>
        <source>Unable to set DataBits</source>
        <translation>Datenbits konnten nicht eingestellt werden</translation>
    </message>
    <message>
        <source>Unable to set Parity</source>
        <translation>Parität konnte nicht eingestellt werden</translation>
    </message>
    <message>
        <source>Unable to set Stop Bits</source>
        <translation>Stoppbits konnten nicht eingestellt werden</translation>
    </message>
    <message>
        <source>Unable to set FlowControl</source>
        <translation>Flusssteuerung konnte nicht eingestellt werden</translation>
    </message>
    <message>
        <source>Unable to open the interface %1</source>
        <translation>Das Interface %1 konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Interface Text mode enabled</source>
        <translation>Textmodus des Interfaces ist aktiviert</translation>
    </message>
    <message>
        <source>Unable to set DataTerminalReady</source>
        <translation>DataTerminalReady (DTR) konnte nicht gesetzt werden</translation>
    </message>
    <message>
        <source>Sending to the interface failed, the update was stopped</source>
        <translation>Senden an das Interface fehlgeschlagen, das Update wurde gestoppt</translation>
    </message>
</context>
<context>
    <name>sleepInhibitor</name>
    <message>
        <source>the system bus does not answer</source>
        <translation>der Systembus antwortet nicht</translation>
    </message>
    <message>
        <source>Fixture firmware update in progress</source>
        <translation>Firmware-Update eines Scheinwerfers läuft</translation>
    </message>
    <message>
        <source>logind answered without a lock</source>
        <translation>logind hat ohne Sperre geantwortet</translation>
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
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message>
        <source>The update takes about %1</source>
        <translation>Das Update dauert etwa %1</translation>
    </message>
</context>
<context>
    <name>updateFileCheck</name>
    <message>
        <source>Is a directory: %1</source>
        <translation>Ist ein Verzeichnis: %1</translation>
    </message>
    <message>
        <source>Not a regular file: %1</source>
        <translation>Keine reguläre Datei: %1</translation>
    </message>
    <message>
        <source>Couldn&apos;t open file %1</source>
        <translation>Datei konnte nicht geöffnet werden: %1</translation>
    </message>
</context>
<context>
    <name>updateFileReader</name>
    <message>
        <source>Couldn&apos;t read update file %1: %2</source>
        <translation>Update-Datei %1 konnte nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>updateFileReading</name>
    <message>
        <source>Line %1 of this file is not frame data: it would be sent to the fixture as zeros.</source>
        <translation>Zeile %1 dieser Datei enthält keine Frame-Daten: sie würde als Nullen an den Scheinwerfer gesendet.</translation>
    </message>
    <message numerus="yes">
        <source>%n lines of this file are not frame data, the first of them line %1: they would be sent to the fixture as zeros.</source>
        <translation>
            <numerusform>%n Zeile dieser Datei enthält keine Frame-Daten, als erste Zeile %1: sie würde als Nullen an den Scheinwerfer gesendet.</numerusform>
            <numerusform>%n Zeilen dieser Datei enthalten keine Frame-Daten, als erste Zeile %1: sie würden als Nullen an den Scheinwerfer gesendet.</numerusform>
        </translation>
    </message>
    <message>
        <source>The file may be damaged, or no update file at all. Send it only if its vendor says that it is right.</source>
        <translation>Die Datei ist vielleicht beschädigt oder gar keine Update-Datei. Senden Sie sie nur, wenn ihr Hersteller sie für richtig erklärt.</translation>
    </message>
    <message>
        <source>Line %1 is not frame data</source>
        <translation>Zeile %1 enthält keine Frame-Daten</translation>
    </message>
    <message numerus="yes">
        <source>%n lines are not frame data, the first line %1</source>
        <translation>
            <numerusform>%n Zeile enthält keine Frame-Daten, als erste Zeile %1</numerusform>
            <numerusform>%n Zeilen enthalten keine Frame-Daten, als erste Zeile %1</numerusform>
        </translation>
    </message>
</context>
</TS>
