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
        <translation>Aktualisiere…</translation>
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
        <source>Failed</source>
        <translation>Fehler</translation>
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
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Update the pedal with &quot;%1&quot;? The pedal restarts into its update mode; keep it plugged in until the updater says it has finished.</source>
        <translation>Das Pedal mit „%1“ aktualisieren? Das Pedal startet in seinen Update-Modus neu; lassen Sie es angeschlossen, bis der Updater meldet, dass er fertig ist.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; cannot be read by this user.</source>
        <translation>Die Firmware-Datei „%1“ kann von diesem Benutzer nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is too short or cut off.</source>
        <translation>Die Firmware-Datei „%1“ ist zu kurz oder abgeschnitten.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is not a firmware image.</source>
        <translation>Die Datei „%1“ ist kein Firmware-Abbild.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is made for another pedal.</source>
        <translation>Die Firmware-Datei „%1“ ist für ein anderes Pedal bestimmt.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; holds no firmware to write.</source>
        <translation>Die Firmware-Datei „%1“ enthält keine Firmware zum Schreiben.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is damaged: a section does not end on a whole block.</source>
        <translation>Die Firmware-Datei „%1“ ist beschädigt: Ein Abschnitt endet nicht auf einem ganzen Block.</translation>
    </message>
    <message>
        <source>No usable firmware file (*.zv) was found. Put the firmware file into the folder &quot;%1&quot;.</source>
        <translation>Es wurde keine verwendbare Firmware-Datei (*.zv) gefunden. Legen Sie die Firmware-Datei in den Ordner „%1“.</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Datei: %1</translation>
    </message>
    <message>
        <source>The pedal now runs the new firmware.</source>
        <translation>Das Pedal läuft jetzt mit der neuen Firmware.</translation>
    </message>
    <message>
        <source>Writing the firmware — keep the pedal plugged in and this window open.</source>
        <translation>Firmware wird geschrieben – lassen Sie das Pedal angeschlossen und dieses Fenster offen.</translation>
    </message>
    <message>
        <source>The pedal is being updated. If you close now it stays in its update mode until you run the update again. Close anyway?</source>
        <translation>Das Pedal wird gerade aktualisiert. Wenn Sie jetzt schließen, bleibt es im Update-Modus, bis Sie das Update erneut ausführen. Trotzdem schließen?</translation>
    </message>
    <message>
        <source>Replace it, close this window and start the updater again.</source>
        <translation>Ersetzen Sie sie, schließen Sie dieses Fenster und starten Sie den Updater neu.</translation>
    </message>
    <message>
        <source>The pedal did not accept the new firmware. Unplug it, plug it in again and run the update again.</source>
        <translation>Das Pedal hat die neue Firmware nicht angenommen. Stecken Sie es aus und wieder ein und führen Sie das Update erneut aus.</translation>
    </message>
    <message>
        <source>Then press Start.</source>
        <translation>Drücken Sie dann auf „Starten“.</translation>
    </message>
    <message>
        <source>The pedal is plugged in, but this user may not open it. Install the TALIX package (its rule gives the person at the computer access), then unplug the pedal and plug it in again.</source>
        <translation>Das Pedal ist angeschlossen, aber dieser Benutzer darf es nicht öffnen. Installieren Sie das TALIX-Paket (seine Regel gibt der Person am Computer Zugriff), stecken Sie dann das Pedal aus und wieder ein.</translation>
    </message>
    <message>
        <source>Another program is using the pedal. Close other TALIX or TALIXUpdate windows (also those of other users on this computer), then connect again.</source>
        <translation>Ein anderes Programm verwendet das Pedal. Schließen Sie andere TALIX- oder TALIXUpdate-Fenster (auch die anderer Benutzer dieses Computers) und verbinden Sie erneut.</translation>
    </message>
    <message>
        <source>A driver of the system holds the pedal and does not let it go. Unplug the pedal, plug it in again and connect again.</source>
        <translation>Ein Treiber des Systems hält das Pedal fest und gibt es nicht frei. Stecken Sie das Pedal aus und wieder ein und verbinden Sie erneut.</translation>
    </message>
    <message>
        <source>The device on USB 0483:5703 answered as &quot;%1&quot;, not as a TALIX pedal.</source>
        <translation>Das Gerät an USB 0483:5703 hat sich als „%1“ gemeldet, nicht als TALIX-Pedal.</translation>
    </message>
    <message>
        <source>The pedal did not answer. Unplug it, plug it in again and connect again.</source>
        <translation>Das Pedal hat nicht geantwortet. Stecken Sie es aus und wieder ein und verbinden Sie erneut.</translation>
    </message>
    <message>
        <source>USB is not available to TALIX here (%1). Run it outside the sandbox or container, or give it access to USB devices.</source>
        <translation>USB steht TALIX hier nicht zur Verfügung (%1). Starten Sie es außerhalb der Sandbox oder des Containers, oder geben Sie ihm Zugriff auf USB-Geräte.</translation>
    </message>
    <message>
        <source>The pedal is plugged in, but this user may not open it. Install the TALIX package, then unplug the pedal, plug it in again and start the updater again.</source>
        <translation>Das Pedal ist angeschlossen, aber dieser Benutzer darf es nicht öffnen. Installieren Sie das TALIX-Paket, stecken Sie das Pedal aus und wieder ein und starten Sie den Updater neu.</translation>
    </message>
    <message>
        <source>Another program is using the pedal. Close other TALIX or TALIXUpdate windows (also those of other users on this computer), then start the updater again.</source>
        <translation>Ein anderes Programm verwendet das Pedal. Schließen Sie andere TALIX- oder TALIXUpdate-Fenster (auch die anderer Benutzer dieses Computers) und starten Sie den Updater neu.</translation>
    </message>
    <message>
        <source>A driver of the system holds the pedal and does not let it go. Unplug the pedal, plug it in again and start the updater again.</source>
        <translation>Ein Treiber des Systems hält das Pedal fest und gibt es nicht frei. Stecken Sie das Pedal aus und wieder ein und starten Sie den Updater neu.</translation>
    </message>
    <message>
        <source>The pedal&apos;s device is %1.</source>
        <translation>Das Gerät des Pedals ist %1.</translation>
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
    <message>
        <source>A backup is reading the pedal&apos;s memory. Wait until it has finished, then close TALIX.</source>
        <translation>Eine Sicherung liest den Speicher des Pedals. Warten Sie, bis sie abgeschlossen ist, und schließen Sie dann TALIX.</translation>
    </message>
    <message>
        <source>A restore is writing the pedal&apos;s memory. Wait until it has finished, then close TALIX.</source>
        <translation>Eine Wiederherstellung schreibt den Speicher des Pedals. Warten Sie, bis sie abgeschlossen ist, und schließen Sie dann TALIX.</translation>
    </message>
    <message>
        <source>An IR import is writing to the pedal. Wait until it has finished, then close TALIX.</source>
        <translation>Ein IR-Import schreibt auf das Pedal. Warten Sie, bis er abgeschlossen ist, und schließen Sie dann TALIX.</translation>
    </message>
    <message>
        <source>A factory reset is restarting the pedal. Wait until it has finished, then close TALIX.</source>
        <translation>Das Zurücksetzen auf Werkseinstellungen startet das Pedal neu. Warten Sie, bis es abgeschlossen ist, und schließen Sie dann TALIX.</translation>
    </message>
    <message>
        <source>TALIXUpdate could not be started from &quot;%1&quot;. Reinstall TALIX.</source>
        <translation>TALIXUpdate konnte nicht aus „%1“ gestartet werden. Installieren Sie TALIX neu.</translation>
    </message>
    <message>
        <source>No udev rule for USB 0483:5703 is installed.</source>
        <translation>Es ist keine udev-Regel für USB 0483:5703 installiert.</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab: next or previous control</source>
        <translation>Tab, Umschalt+Tab: nächstes oder vorheriges Bedienelement</translation>
    </message>
    <message>
        <source>Space, Enter: press a button or switch</source>
        <translation>Leertaste, Eingabe: Taste oder Schalter betätigen</translation>
    </message>
    <message>
        <source>Dials: Left or Down -1, Right or Up +1, Page Down or Page Up -10 or +10, Home or End to the minimum or maximum</source>
        <translation>Regler: Links oder Ab -1, Rechts oder Auf +1, Bild ab oder Bild auf -10 oder +10, Pos1 oder Ende zum Minimum oder Maximum</translation>
    </message>
    <message>
        <source>Menus and choosers: Space, Enter or Down opens, the arrows move, Enter chooses, Escape closes</source>
        <translation>Menüs und Auswahllisten: Leertaste, Eingabe oder Ab öffnet, die Pfeiltasten bewegen, Eingabe wählt, Esc schließt</translation>
    </message>
    <message>
        <source>Presets: Left and Right move, Space or Enter chooses; Ctrl+S saves the current preset</source>
        <translation>Presets: Links und Rechts bewegen, Leertaste oder Eingabe wählt; Strg+S speichert das aktuelle Preset</translation>
    </message>
    <message>
        <source>Lists: Up and Down move, Shift+Up and Shift+Down extend the selection, Space adds or removes a row</source>
        <translation>Listen: Auf und Ab bewegen, Umschalt+Auf und Umschalt+Ab erweitern die Auswahl, die Leertaste nimmt eine Zeile auf oder heraus</translation>
    </message>
    <message>
        <source>Lists: Enter, the menu key or Shift+F10 opens the row&apos;s menu, Delete deletes, F2 renames a preset file</source>
        <translation>Listen: Eingabe, die Menütaste oder Umschalt+F10 öffnet das Menü der Zeile, Entf löscht, F2 benennt eine Preset-Datei um</translation>
    </message>
    <message>
        <source>Prompts: Enter takes the default button, Escape closes</source>
        <translation>Hinweise: Eingabe wählt die vorgegebene Schaltfläche, Esc schließt</translation>
    </message>
    <message>
        <source>CAB A</source>
        <translation>CAB A</translation>
    </message>
    <message>
        <source>CAB B</source>
        <translation>CAB B</translation>
    </message>
    <message>
        <source>%1 switch</source>
        <translation>%1 Schalter</translation>
    </message>
    <message>
        <source>%1 cabinet</source>
        <translation>%1 Box</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a cabinet and its dial: CAB A Level</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Presets</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>Preset %1</translation>
    </message>
    <message>
        <source>%1 value</source>
        <translation>%1 Wert</translation>
    </message>
    <message>
        <source>Slot %1, %2</source>
        <translation>Platz %1, %2</translation>
    </message>
    <message>
        <source>used by CAB A</source>
        <translation>von CAB A verwendet</translation>
    </message>
    <message>
        <source>used by CAB B</source>
        <translation>von CAB B verwendet</translation>
    </message>
    <message>
        <source>used by CAB A and CAB B</source>
        <translation>von CAB A und CAB B verwendet</translation>
    </message>
    <message>
        <source>Firmware update progress</source>
        <translation>Fortschritt des Firmware-Updates</translation>
    </message>
    <message>
        <source>TALIX Update</source>
        <translation>TALIX-Update</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S: save the current preset as a file in the computer&apos;s preset list</source>
        <translation>Strg+Umschalt+S: das aktuelle Preset als Datei in der Preset-Liste des Computers speichern</translation>
    </message>
</context>
</TS>
