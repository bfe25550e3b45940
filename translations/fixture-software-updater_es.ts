<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>commandLine</name>
    <message>
        <source>Interface: %1 (%2)</source>
        <translation>Interfaz: %1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>%n interface boxes are attached; name one with --interface PORT.</source>
        <translation>
            <numerusform>Hay %n interfaz conectada; indique una con --interface PUERTO.</numerusform>
            <numerusform>Hay %n interfaces conectadas; indique una con --interface PUERTO.</numerusform>
        </translation>
    </message>
    <message>
        <source>Attached:</source>
        <translation>Dispositivos conectados:</translation>
    </message>
    <message>
        <source>Sends the update file without a window.</source>
        <translation>Envía el fichero de actualización sin ventana.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FICHERO</translation>
    </message>
    <message>
        <source>The interface to send through, as a port name or a device path.</source>
        <translation>La interfaz por la que enviar, como nombre de puerto o ruta de dispositivo.</translation>
    </message>
    <message>
        <source>PORT</source>
        <translation>PUERTO</translation>
    </message>
    <message>
        <source>Sends even when the battery may not last for the whole update.</source>
        <translation>Envía aunque la batería pueda no durar toda la actualización.</translation>
    </message>
    <message>
        <source>Lists the interfaces, as the Interfaces menu does.</source>
        <translation>Muestra la lista de interfaces, como el menú Interfaces.</translation>
    </message>
    <message>
        <source>Shows the program&apos;s version.</source>
        <translation>Muestra la versión del programa.</translation>
    </message>
    <message>
        <source>Shows these options.</source>
        <translation>Muestra estas opciones.</translation>
    </message>
    <message>
        <source>%1: sends a firmware update file to a fixture.</source>
        <translation>%1: envía un fichero de actualización de firmware a un aparato.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>Argumento inesperado: %1</translation>
    </message>
    <message>
        <source>--list-interfaces cannot be combined with --send.</source>
        <translation>No se puede combinar --list-interfaces con --send.</translation>
    </message>
    <message>
        <source>No port after --interface.</source>
        <translation>Falta el puerto después de --interface.</translation>
    </message>
    <message>
        <source>Nothing to do: name the update file with --send FILE.</source>
        <translation>Nada que hacer: indique el fichero de actualización con --send FICHERO.</translation>
    </message>
    <message>
        <source>There is no display for the window; send the update file with --send FILE.</source>
        <translation>No hay pantalla para mostrar la ventana; envíe el fichero de actualización con --send FICHERO.</translation>
    </message>
    <message>
        <source>Sends a file with lines that are not frame data. A file whose published checksum does not match is never sent.</source>
        <translation>Envía un archivo con líneas que no contienen datos de trama. Un archivo cuya suma publicada no coincide no se envía nunca.</translation>
    </message>
    <message>
        <source>Lists every update recorded for this user, oldest first.</source>
        <translation>Muestra cada actualización registrada para este usuario, la más antigua primero.</translation>
    </message>
    <message>
        <source>With --history: one JSON object per update, for scripts.</source>
        <translation>Con --history: un objeto JSON por actualización, para scripts.</translation>
    </message>
    <message>
        <source>--history cannot be combined with --send or --list-interfaces.</source>
        <translation>No se puede combinar --history con --send ni con --list-interfaces.</translation>
    </message>
    <message>
        <source>--json goes only with --history.</source>
        <translation>--json solo se usa junto con --history.</translation>
    </message>
</context>
<context>
    <name>commandLineUpdate</name>
    <message>
        <source>The computer is not kept awake during the update: %1</source>
        <translation>El ordenador no se mantiene activo durante la actualización: %1</translation>
    </message>
    <message>
        <source>Not started. Connect the charger, or start again with --ignore-power.</source>
        <translation>Actualización no iniciada. Conecte el cargador o vuelva a iniciarla con --ignore-power.</translation>
    </message>
    <message>
        <source>%1 % · %2 of %3 lines · about %4 left</source>
        <translation>%1 % · %2 de %3 líneas · tiempo restante: aprox. %4</translation>
    </message>
    <message>
        <source>%1 (file %2, interface %3)</source>
        <translation>%1 (fichero %2, interfaz %3)</translation>
    </message>
    <message>
        <source>Canceled before it started</source>
        <translation>Anulada antes de empezar</translation>
    </message>
    <message>
        <source>Not started. Check the file, or start again with --force.</source>
        <translation>Actualización no iniciada. Compruebe el archivo o vuelva a iniciarla con --force.</translation>
    </message>
</context>
<context>
    <name>fixtureSoftwareUpdater</name>
    <message>
        <source>Select File</source>
        <translation>Elegir fichero</translation>
    </message>
    <message>
        <source>No File Selected</source>
        <translation>Ningún fichero elegido</translation>
    </message>
    <message>
        <source>Update File Information</source>
        <translation>Fichero de actualización</translation>
    </message>
    <message>
        <source>Update Progress</source>
        <translation>Avance de la actualización</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>App</source>
        <translation>Aplicación</translation>
    </message>
    <message>
        <source>Interfaces</source>
        <translation>Interfaces</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Refresh Interfaces List</source>
        <translation>Recargar lista de interfaces</translation>
    </message>
    <message>
        <source>Select port and update file to start!</source>
        <translation>¡Elija la interfaz y el fichero de actualización para iniciar!</translation>
    </message>
    <message>
        <source>Currently no interface selected!</source>
        <translation>¡No hay ninguna interfaz elegida!</translation>
    </message>
    <message>
        <source>Current interface: %1</source>
        <translation>Interfaz actual: %1</translation>
    </message>
    <message>
        <source>Select Firmware</source>
        <translation>Elegir firmware</translation>
    </message>
    <message>
        <source>Firmware Files %1</source>
        <translation>Ficheros de firmware %1</translation>
    </message>
    <message>
        <source>Start Anyway</source>
        <translation>Iniciar igualmente</translation>
    </message>
    <message>
        <source>About %1 left</source>
        <translation>Tiempo restante: aprox. %1</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Mostrar</translation>
    </message>
    <message>
        <source>Update failed</source>
        <translation>La actualización falló</translation>
    </message>
    <message>
        <source>File: %1
Interface: %2</source>
        <translation>Fichero: %1
Interfaz: %2</translation>
    </message>
    <message>
        <source>&amp;History…</source>
        <translation>&amp;Historial…</translation>
    </message>
</context>
<context>
    <name>historyDialog</name>
    <message>
        <source>Reading the update history…</source>
        <translation>Leyendo el historial de actualizaciones…</translation>
    </message>
    <message>
        <source>Update History</source>
        <translation>Historial de actualizaciones</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichero</translation>
    </message>
    <message>
        <source>Fixture</source>
        <translation>Aparato</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Interfaz</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Líneas</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duración</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source>No update has been recorded yet.</source>
        <translation>Todavía no se ha registrado ninguna actualización.</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
</context>
<context>
    <name>historyListing</name>
    <message>
        <source>%1 of %2 lines</source>
        <translation>%1 de %2 líneas</translation>
    </message>
</context>
<context>
    <name>historyRow</name>
    <message>
        <source>window</source>
        <translation>ventana</translation>
    </message>
    <message>
        <source>command line</source>
        <translation>línea de órdenes</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Acabada</translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation>Anulada</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fallida</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>En curso</translation>
    </message>
    <message>
        <source>Interrupted</source>
        <translation>Interrumpida</translation>
    </message>
</context>
<context>
    <name>historyStore</name>
    <message>
        <source>The update history in %1 was damaged; it is kept as %2, and a new one is begun.</source>
        <translation>El historial de actualizaciones en %1 estaba dañado; se conserva como %2 y se empieza uno nuevo.</translation>
    </message>
    <message>
        <source>The update history cannot be kept in %1: %2</source>
        <translation>No se puede llevar el historial de actualizaciones en %1: %2</translation>
    </message>
    <message>
        <source>The update history in %1 cannot be read: %2</source>
        <translation>No se puede leer el historial de actualizaciones en %1: %2</translation>
    </message>
</context>
<context>
    <name>portErrorMessage</name>
    <message>
        <source>Serialport Error: DeviceNotFoundError</source>
        <translation>Error del puerto serie: DeviceNotFoundError</translation>
    </message>
    <message>
        <source>Serialport Error: PermissionError</source>
        <translation>Error del puerto serie: PermissionError</translation>
    </message>
    <message>
        <source>Serialport Error: OpenError Device already open</source>
        <translation>Error del puerto serie: OpenError: el dispositivo ya está abierto</translation>
    </message>
    <message>
        <source>Serialport Error: ParityError</source>
        <translation>Error del puerto serie: ParityError</translation>
    </message>
    <message>
        <source>Serialport Error: FramingError</source>
        <translation>Error del puerto serie: FramingError</translation>
    </message>
    <message>
        <source>Serialport Error: BreakConditionError</source>
        <translation>Error del puerto serie: BreakConditionError</translation>
    </message>
    <message>
        <source>Serialport Error: WriteError</source>
        <translation>Error del puerto serie: WriteError</translation>
    </message>
    <message>
        <source>Serialport Error: ReadError</source>
        <translation>Error del puerto serie: ReadError</translation>
    </message>
    <message>
        <source>Serialport Error: ResourceError: Device Unavailable</source>
        <translation>Error del puerto serie: ResourceError: dispositivo no disponible</translation>
    </message>
    <message>
        <source>Serialport Error: UnsupportedOperationError</source>
        <translation>Error del puerto serie: UnsupportedOperationError</translation>
    </message>
    <message>
        <source>Serialport Error: UnknownError</source>
        <translation>Error del puerto serie: UnknownError</translation>
    </message>
    <message>
        <source>Serialport Error: TimeoutError</source>
        <translation>Error del puerto serie: TimeoutError</translation>
    </message>
    <message>
        <source>Serialport Error: NotOpenError</source>
        <translation>Error del puerto serie: NotOpenError</translation>
    </message>
    <message>
        <source>Serialport Error: %1</source>
        <translation>Error del puerto serie: %1</translation>
    </message>
</context>
<context>
    <name>powerWarning</name>
    <message>
        <source>The battery has about %1 left, and the update takes about %2.</source>
        <translation>La batería durará aproximadamente %1 y la actualización dura aproximadamente %2.</translation>
    </message>
    <message>
        <source>The battery is at %1 %, and the update takes about %2.</source>
        <translation>La batería está al %1 % y la actualización dura aproximadamente %2.</translation>
    </message>
    <message>
        <source>If the computer turns off during the update, the fixture is left without working firmware. Connect the charger before you start.</source>
        <translation>Si el ordenador se apaga durante la actualización, el aparato se quedará sin un firmware que funcione. Conecte el cargador antes de iniciarla.</translation>
    </message>
</context>
<context>
    <name>publishedChecksum</name>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 no es un archivo normal</translation>
    </message>
    <message>
        <source>Couldn&apos;t read %1: %2</source>
        <translation>No se pudo leer %1: %2</translation>
    </message>
    <message>
        <source>%1 holds no SHA-256 digest</source>
        <translation>%1 no contiene ninguna suma SHA-256</translation>
    </message>
    <message>
        <source>The update file is not the one that was published: its SHA-256 is %1, and %2 says %3.</source>
        <translation>El archivo de actualización no es el que se publicó: su suma SHA-256 es %1, y %2 indica %3.</translation>
    </message>
    <message>
        <source>SHA-256 matches %1</source>
        <translation>La suma SHA-256 coincide con %1</translation>
    </message>
</context>
<context>
    <name>runEnd</name>
    <message>
        <source>Finished!</source>
        <translation>¡Acabada!</translation>
    </message>
    <message>
        <source>Canceled!</source>
        <translation>¡Anulada!</translation>
    </message>
</context>
<context>
    <name>serialPortThread</name>
    <message>
        <source>Couldn&apos;t Open Update file:%1</source>
        <translation>No se pudo abrir el fichero de actualización: %1</translation>
    </message>
    <message>
        <source>Unable to set Baudrate!</source>
        <translation>¡No se puede ajustar la velocidad en baudios!</translation>
    </message>
    <message>
        <source>Unable to set DataBits</source>
        <translation>No se pueden ajustar los bits de datos</translation>
    </message>
    <message>
        <source>Unable to set Parity</source>
        <translation>No se puede ajustar la paridad</translation>
    </message>
    <message>
        <source>Unable to set Stop Bits</source>
        <translation>No se pueden ajustar los bits de parada</translation>
    </message>
    <message>
        <source>Unable to set FlowControl</source>
        <translation>No se puede ajustar el control de flujo</translation>
    </message>
    <message>
        <source>Unable to open the interface %1</source>
        <translation>No se puede abrir la interfaz %1</translation>
    </message>
    <message>
        <source>Interface Text mode enabled</source>
        <translation>La interfaz está en modo texto</translation>
    </message>
    <message>
        <source>Unable to set DataTerminalReady</source>
        <translation>No se puede activar la señal DataTerminalReady (DTR)</translation>
    </message>
    <message>
        <source>Sending to the interface failed, the update was stopped</source>
        <translation>Error al enviar a la interfaz; se ha detenido la actualización</translation>
    </message>
</context>
<context>
    <name>sleepInhibitor</name>
    <message>
        <source>the system bus does not answer</source>
        <translation>el bus del sistema no responde</translation>
    </message>
    <message>
        <source>Fixture firmware update in progress</source>
        <translation>Actualización del firmware del aparato en curso</translation>
    </message>
    <message>
        <source>logind answered without a lock</source>
        <translation>logind ha respondido sin bloqueo</translation>
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
            <numerusform>%n día</numerusform>
            <numerusform>%n días</numerusform>
        </translation>
    </message>
    <message>
        <source>The update takes about %1</source>
        <translation>La actualización dura aproximadamente %1</translation>
    </message>
</context>
<context>
    <name>updateFileCheck</name>
    <message>
        <source>Is a directory: %1</source>
        <translation>Es un directorio: %1</translation>
    </message>
    <message>
        <source>Not a regular file: %1</source>
        <translation>No es un fichero regular: %1</translation>
    </message>
    <message>
        <source>Couldn&apos;t open file %1</source>
        <translation>No se pudo abrir el fichero: %1</translation>
    </message>
</context>
<context>
    <name>updateFileReader</name>
    <message>
        <source>Couldn&apos;t read update file %1: %2</source>
        <translation>No se pudo leer el archivo de actualización %1: %2</translation>
    </message>
</context>
<context>
    <name>updateFileReading</name>
    <message>
        <source>Line %1 of this file is not frame data: it would be sent to the fixture as zeros.</source>
        <translation>La línea %1 de este archivo no contiene datos de trama: se enviaría al aparato como ceros.</translation>
    </message>
    <message numerus="yes">
        <source>%n lines of this file are not frame data, the first of them line %1: they would be sent to the fixture as zeros.</source>
        <translation>
            <numerusform>%n línea de este archivo no contiene datos de trama, la primera es la línea %1: se enviaría al aparato como ceros.</numerusform>
            <numerusform>%n líneas de este archivo no contienen datos de trama, la primera es la línea %1: se enviarían al aparato como ceros.</numerusform>
        </translation>
    </message>
    <message>
        <source>The file may be damaged, or no update file at all. Send it only if its vendor says that it is right.</source>
        <translation>Puede que el archivo esté dañado o que no sea un archivo de actualización. Envíelo solo si su fabricante confirma que es correcto.</translation>
    </message>
    <message>
        <source>Line %1 is not frame data</source>
        <translation>La línea %1 no contiene datos de trama</translation>
    </message>
    <message numerus="yes">
        <source>%n lines are not frame data, the first line %1</source>
        <translation>
            <numerusform>%n línea no contiene datos de trama, la primera es la línea %1</numerusform>
            <numerusform>%n líneas no contienen datos de trama, la primera es la línea %1</numerusform>
        </translation>
    </message>
</context>
</TS>
