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
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Getrennt</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aktualisierung</translation>
    </message>
    <message>
        <source>Factory reset</source>
        <translation>Werkseinstellungen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Dark Mode</source>
        <translation>Dunkler Modus</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Heller Modus</translation>
    </message>
    <message>
        <source>Firmware Update</source>
        <translation>Firmware-Update</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Software-Update</translation>
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
        <source>Do you really want to reset the database? Device needs to be restart!</source>
        <translation>Möchten Sie die Datenbank wirklich zurücksetzen? Das Gerät muss neu gestartet werden!</translation>
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
        <source>Level</source>
        <translation>Pegel</translation>
    </message>
    <message>
        <source>Latency</source>
        <translation>Latenz</translation>
    </message>
    <message>
        <source>Low-Cut</source>
        <translation>Low-Cut</translation>
    </message>
    <message>
        <source>High-Cut</source>
        <translation>High-Cut</translation>
    </message>
    <message>
        <source>DIGITAL</source>
        <translation>DIGITAL</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>EIN</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>CAB A(Left)</source>
        <translation>CAB A (links)</translation>
    </message>
    <message>
        <source>CAB B(Right)</source>
        <translation>CAB B (rechts)</translation>
    </message>
    <message>
        <source>Device data backup successful.</source>
        <translation>Gerätedaten erfolgreich gesichert.</translation>
    </message>
    <message>
        <source>CABINET TYPE</source>
        <translation>BOXENTYP</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Select one or more files to open</source>
        <translation>Eine oder mehrere Dateien zum Öffnen auswählen</translation>
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
        <source>COMPUTER</source>
        <translation>COMPUTER</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Open this directory</source>
        <translation>Diesen Ordner öffnen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>already exists</source>
        <translation>existiert bereits</translation>
    </message>
    <message>
        <source>TALIX Backup File</source>
        <translation>TALIX-Sicherungsdatei</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Wird geladen...</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Übertragung</translation>
    </message>
    <message>
        <source>not a WAVE or GIR file</source>
        <translation>keine WAVE- oder GIR-Datei</translation>
    </message>
    <message>
        <source>unsupported format</source>
        <translation>nicht unterstütztes Format</translation>
    </message>
    <message>
        <source>damaged or truncated</source>
        <translation>beschädigt oder unvollständig</translation>
    </message>
    <message>
        <source>could not be opened</source>
        <translation>konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>These files were not imported:</source>
        <translation>Diese Dateien wurden nicht importiert:</translation>
    </message>
    <message>
        <source>MainWindow</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>No firmware file (*.zv) is in the folder &quot;Firmware&quot; beside the updater. Copy the firmware file there, close this window and start the updater again.</source>
        <translation>Im Ordner „Firmware“ neben dem Updater liegt keine Firmware-Datei (*.zv). Kopieren Sie sie dorthin, schließen Sie dieses Fenster und starten Sie den Updater neu.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; cannot be read or is damaged. Replace it with an intact copy, close this window and start the updater again.</source>
        <translation>Die Firmware-Datei „%1“ ist unlesbar oder beschädigt. Ersetzen Sie sie durch eine intakte Kopie, schließen Sie dieses Fenster und starten Sie den Updater neu.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is not made for this pedal. Put the firmware for TALIX in its place, close this window and start the updater again.</source>
        <translation>Die Firmware-Datei „%1“ ist nicht für dieses Pedal. Legen Sie die Firmware für TALIX an ihre Stelle, schließen Sie dieses Fenster und starten Sie den Updater neu.</translation>
    </message>
    <message>
        <source>The pedal did not answer. Check the USB cable, unplug the pedal and plug it in again, then start the updater again.</source>
        <translation>Das Pedal hat nicht geantwortet. Prüfen Sie das USB-Kabel, stecken Sie das Pedal aus und wieder ein und starten Sie den Updater neu.</translation>
    </message>
    <message>
        <source>The pedal refused to begin the update. Unplug the pedal and plug it in again, then start the updater again.</source>
        <translation>Das Pedal hat den Start der Aktualisierung abgelehnt. Stecken Sie das Pedal aus und wieder ein und starten Sie den Updater neu.</translation>
    </message>
    <message>
        <source>The pedal stopped taking the firmware. Unplug the pedal and plug it in again, then start the updater again to repeat the update.</source>
        <translation>Das Pedal hat die Firmware nicht weiter angenommen. Stecken Sie das Pedal aus und wieder ein und starten Sie den Updater neu, um die Aktualisierung zu wiederholen.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Backup File</source>
        <translation>Sicherungsdatei</translation>
    </message>
    <message>
        <source>Restore...%1%...</source>
        <translation>Wiederherstellen...%1%...</translation>
    </message>
    <message>
        <source>Backuping...%1%...</source>
        <translation>Sichern...%1%...</translation>
    </message>
    <message>
        <source>Backup failed,Please try again.</source>
        <translation>Sicherung fehlgeschlagen, bitte erneut versuchen.</translation>
    </message>
    <message>
        <source>Device data restore successful.</source>
        <translation>Gerätedaten erfolgreich wiederhergestellt.</translation>
    </message>
    <message>
        <source>Restore failed,Please try again.</source>
        <translation>Wiederherstellung fehlgeschlagen, bitte erneut versuchen.</translation>
    </message>
    <message>
        <source>Adding Ir...%1%...</source>
        <translation>IR wird hinzugefügt...%1%...</translation>
    </message>
    <message>
        <source>no free slot</source>
        <translation>kein freier Platz</translation>
    </message>
    <message>
        <source>the connection to the pedal was lost</source>
        <translation>die Verbindung zum Pedal ist abgebrochen</translation>
    </message>
    <message>
        <source>the import was stopped</source>
        <translation>der Import wurde angehalten</translation>
    </message>
    <message>
        <source>the pedal stopped answering</source>
        <translation>das Pedal antwortet nicht mehr</translation>
    </message>
    <message>
        <source>The import stopped at %1: %2.</source>
        <translation>Der Import brach bei %1 ab: %2.</translation>
    </message>
    <message>
        <source>The slot names are read again when the pedal is connected.</source>
        <translation>Die Namen der Plätze werden beim nächsten Verbinden des Pedals neu gelesen.</translation>
    </message>
    <message>
        <source>Files (%1)</source>
        <translation>Dateien (%1)</translation>
    </message>
    <message>
        <source>Only %1 of the %2 files fit from slot %3 on (the pedal has 11 slots). Import the first %1?</source>
        <translation>Ab Platz %3 passen nur %1 der %2 Dateien (das Pedal hat 11 Plätze). Die ersten %1 importieren?</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>too short for a preset file</source>
        <translation>zu kurz für eine Preset-Datei</translation>
    </message>
    <message>
        <source>not a preset file</source>
        <translation>keine Preset-Datei</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be renamed to &apos;%2&apos;: %3</source>
        <translation>&apos;%1&apos; konnte nicht in &apos;%2&apos; umbenannt werden: %3</translation>
    </message>
    <message>
        <source>These files were not added:</source>
        <translation>Diese Dateien wurden nicht hinzugefügt:</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be moved to the trash. Delete it for good?</source>
        <translation>&apos;%1&apos; kann nicht in den Papierkorb verschoben werden. Endgültig löschen?</translation>
    </message>
    <message>
        <source>%1 preset files cannot be moved to the trash. Delete them for good?</source>
        <translation>%1 Preset-Dateien können nicht in den Papierkorb verschoben werden. Endgültig löschen?</translation>
    </message>
    <message>
        <source>These files were not deleted:</source>
        <translation>Diese Dateien wurden nicht gelöscht:</translation>
    </message>
    <message>
        <source>no free file name is left</source>
        <translation>kein freier Dateiname mehr übrig</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be saved: %2</source>
        <translation>&apos;%1&apos; konnte nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>a file of that name already exists</source>
        <translation>eine Datei dieses Namens existiert bereits</translation>
    </message>
</context>
</TS>
