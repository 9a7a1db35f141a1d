<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>QObject</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximieren</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Restore File</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>The software version dose not match the firmware of your device, keep using the software may lose support of some functions.</source>
        <translation>Die Softwareversion passt nicht zur Firmware Ihres Geräts. Wenn Sie die Software weiter verwenden, werden einige Funktionen möglicherweise nicht unterstützt.</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>Firmware-Version:</translation>
    </message>
    <message>
        <source>Software version:</source>
        <translation>Softwareversion:</translation>
    </message>
    <message>
        <source>Update firmware</source>
        <translation>Firmware-Update</translation>
    </message>
    <message>
        <source>Continue using</source>
        <translation>Weiter verwenden</translation>
    </message>
    <message>
        <source>Device Disconnected!</source>
        <translation>Gerät nicht verbunden!</translation>
    </message>
    <message>
        <source>Are you sure to save the Preset?</source>
        <translation>Möchten Sie das Preset wirklich speichern?</translation>
    </message>
    <message>
        <source>Device connection disconnected, please reconnect!</source>
        <translation>Die Verbindung zum Gerät wurde getrennt. Bitte erneut verbinden!</translation>
    </message>
    <message>
        <source>Exit the application!</source>
        <translation>Anwendung beenden?</translation>
    </message>
    <message>
        <source>Device data backup successful.</source>
        <translation>Gerätedaten erfolgreich gesichert.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Preset import successful !</source>
        <translation>Preset erfolgreich importiert!</translation>
    </message>
    <message>
        <source>Preset import failed !</source>
        <translation>Import des Presets fehlgeschlagen!</translation>
    </message>
    <message>
        <source>TALIX Backup File</source>
        <translation>TALIX-Sicherungsdatei</translation>
    </message>
</context>
</TS>
