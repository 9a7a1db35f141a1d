<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>QObject</name>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>Restore File</source>
        <translation>Restore File</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Prompt</translation>
    </message>
    <message>
        <source>The software version dose not match the firmware of your device, keep using the software may lose support of some functions.</source>
        <translation>The software version dose not match the firmware of your device, keep using the software may lose support of some functions.</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>Firmware version:</translation>
    </message>
    <message>
        <source>Software version:</source>
        <translation>Software version:</translation>
    </message>
    <message>
        <source>Update firmware</source>
        <translation>Update firmware</translation>
    </message>
    <message>
        <source>Continue using</source>
        <translation>Continue using</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Factory reset</source>
        <translation>Factory reset</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Dark Mode</source>
        <translation>Dark Mode</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Light Mode</translation>
    </message>
    <message>
        <source>Firmware Update</source>
        <translation>Firmware Update</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Software Update</translation>
    </message>
    <message>
        <source>Device Disconnected!</source>
        <translation>Device Disconnected!</translation>
    </message>
    <message>
        <source>Are you sure to save the Preset?</source>
        <translation>Are you sure to save the Preset?</translation>
    </message>
    <message>
        <source>Do you really want to reset the database? Device needs to be restart!</source>
        <translation>Do you really want to reset the database? Device needs to be restart!</translation>
    </message>
    <message>
        <source>Device connection disconnected, please reconnect!</source>
        <translation>Device connection disconnected, please reconnect!</translation>
    </message>
    <message>
        <source>Exit the application!</source>
        <translation>Exit the application!</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Latency</source>
        <translation>Latency</translation>
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
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>CAB A(Left)</source>
        <translation>CAB A(Left)</translation>
    </message>
    <message>
        <source>CAB B(Right)</source>
        <translation>CAB B(Right)</translation>
    </message>
    <message>
        <source>Device data backup successful.</source>
        <translation>Device data backup successful.</translation>
    </message>
    <message>
        <source>CABINET TYPE</source>
        <translation>CABINET TYPE</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Select one or more files to open</source>
        <translation>Select one or more files to open</translation>
    </message>
    <message>
        <source>Preset import successful !</source>
        <translation>Preset import successful !</translation>
    </message>
    <message>
        <source>Preset import failed !</source>
        <translation>Preset import failed !</translation>
    </message>
    <message>
        <source>COMPUTER</source>
        <translation>COMPUTER</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Open this directory</source>
        <translation>Open this directory</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>already exists</source>
        <translation>already exists</translation>
    </message>
    <message>
        <source>TALIX Backup File</source>
        <translation>TALIX Backup File</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Updating…</translation>
    </message>
    <message>
        <source>not a WAVE or GIR file</source>
        <translation>not a WAVE or GIR file</translation>
    </message>
    <message>
        <source>unsupported format</source>
        <translation>unsupported format</translation>
    </message>
    <message>
        <source>damaged or truncated</source>
        <translation>damaged or truncated</translation>
    </message>
    <message>
        <source>could not be opened</source>
        <translation>could not be opened</translation>
    </message>
    <message>
        <source>These files were not imported:</source>
        <translation>These files were not imported:</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>The pedal did not answer. Check the USB cable, unplug the pedal and plug it in again, then start the updater again.</source>
        <translation>The pedal did not answer. Check the USB cable, unplug the pedal and plug it in again, then start the updater again.</translation>
    </message>
    <message>
        <source>The pedal refused to begin the update. Unplug the pedal and plug it in again, then start the updater again.</source>
        <translation>The pedal refused to begin the update. Unplug the pedal and plug it in again, then start the updater again.</translation>
    </message>
    <message>
        <source>The pedal stopped taking the firmware. Unplug the pedal and plug it in again, then start the updater again to repeat the update.</source>
        <translation>The pedal stopped taking the firmware. Unplug the pedal and plug it in again, then start the updater again to repeat the update.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Backup</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>Recall</translation>
    </message>
    <message>
        <source>Backup File</source>
        <translation>Backup File</translation>
    </message>
    <message>
        <source>Restore...%1%...</source>
        <translation>Restore...%1%...</translation>
    </message>
    <message>
        <source>Backuping...%1%...</source>
        <translation>Backuping...%1%...</translation>
    </message>
    <message>
        <source>Backup failed,Please try again.</source>
        <translation>Backup failed,Please try again.</translation>
    </message>
    <message>
        <source>Device data restore successful.</source>
        <translation>Device data restore successful.</translation>
    </message>
    <message>
        <source>Restore failed,Please try again.</source>
        <translation>Restore failed,Please try again.</translation>
    </message>
    <message>
        <source>Adding Ir...%1%...</source>
        <translation>Adding Ir...%1%...</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Open Folder</translation>
    </message>
    <message>
        <source>Update the pedal with &quot;%1&quot;? The pedal restarts into its update mode; keep it plugged in until the updater says it has finished.</source>
        <translation>Update the pedal with &quot;%1&quot;? The pedal restarts into its update mode; keep it plugged in until the updater says it has finished.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; cannot be read by this user.</source>
        <translation>The firmware file &quot;%1&quot; cannot be read by this user.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is too short or cut off.</source>
        <translation>The firmware file &quot;%1&quot; is too short or cut off.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is not a firmware image.</source>
        <translation>The file &quot;%1&quot; is not a firmware image.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is made for another pedal.</source>
        <translation>The firmware file &quot;%1&quot; is made for another pedal.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; holds no firmware to write.</source>
        <translation>The firmware file &quot;%1&quot; holds no firmware to write.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is damaged: a section does not end on a whole block.</source>
        <translation>The firmware file &quot;%1&quot; is damaged: a section does not end on a whole block.</translation>
    </message>
    <message>
        <source>No usable firmware file (*.zv) was found. Put the firmware file into the folder &quot;%1&quot;.</source>
        <translation>No usable firmware file (*.zv) was found. Put the firmware file into the folder &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>The pedal now runs the new firmware.</source>
        <translation>The pedal now runs the new firmware.</translation>
    </message>
    <message>
        <source>Writing the firmware — keep the pedal plugged in and this window open.</source>
        <translation>Writing the firmware — keep the pedal plugged in and this window open.</translation>
    </message>
    <message>
        <source>The pedal is being updated. If you close now it stays in its update mode until you run the update again. Close anyway?</source>
        <translation>The pedal is being updated. If you close now it stays in its update mode until you run the update again. Close anyway?</translation>
    </message>
    <message>
        <source>Replace it, close this window and start the updater again.</source>
        <translation>Replace it, close this window and start the updater again.</translation>
    </message>
    <message>
        <source>The pedal did not accept the new firmware. Unplug it, plug it in again and run the update again.</source>
        <translation>The pedal did not accept the new firmware. Unplug it, plug it in again and run the update again.</translation>
    </message>
    <message>
        <source>Then press Start.</source>
        <translation>Then press Start.</translation>
    </message>
    <message>
        <source>The pedal is plugged in, but this user may not open it. Install the TALIX package (its rule gives the person at the computer access), then unplug the pedal and plug it in again.</source>
        <translation>The pedal is plugged in, but this user may not open it. Install the TALIX package (its rule gives the person at the computer access), then unplug the pedal and plug it in again.</translation>
    </message>
    <message>
        <source>Another program is using the pedal. Close other TALIX or TALIXUpdate windows (also those of other users on this computer), then connect again.</source>
        <translation>Another program is using the pedal. Close other TALIX or TALIXUpdate windows (also those of other users on this computer), then connect again.</translation>
    </message>
    <message>
        <source>A driver of the system holds the pedal and does not let it go. Unplug the pedal, plug it in again and connect again.</source>
        <translation>A driver of the system holds the pedal and does not let it go. Unplug the pedal, plug it in again and connect again.</translation>
    </message>
    <message>
        <source>The device on USB 0483:5703 answered as &quot;%1&quot;, not as a TALIX pedal.</source>
        <translation>The device on USB 0483:5703 answered as &quot;%1&quot;, not as a TALIX pedal.</translation>
    </message>
    <message>
        <source>The pedal did not answer. Unplug it, plug it in again and connect again.</source>
        <translation>The pedal did not answer. Unplug it, plug it in again and connect again.</translation>
    </message>
    <message>
        <source>USB is not available to TALIX here (%1). Run it outside the sandbox or container, or give it access to USB devices.</source>
        <translation>USB is not available to TALIX here (%1). Run it outside the sandbox or container, or give it access to USB devices.</translation>
    </message>
    <message>
        <source>The pedal is plugged in, but this user may not open it. Install the TALIX package, then unplug the pedal, plug it in again and start the updater again.</source>
        <translation>The pedal is plugged in, but this user may not open it. Install the TALIX package, then unplug the pedal, plug it in again and start the updater again.</translation>
    </message>
    <message>
        <source>Another program is using the pedal. Close other TALIX or TALIXUpdate windows (also those of other users on this computer), then start the updater again.</source>
        <translation>Another program is using the pedal. Close other TALIX or TALIXUpdate windows (also those of other users on this computer), then start the updater again.</translation>
    </message>
    <message>
        <source>A driver of the system holds the pedal and does not let it go. Unplug the pedal, plug it in again and start the updater again.</source>
        <translation>A driver of the system holds the pedal and does not let it go. Unplug the pedal, plug it in again and start the updater again.</translation>
    </message>
    <message>
        <source>The pedal&apos;s device is %1.</source>
        <translation>The pedal&apos;s device is %1.</translation>
    </message>
    <message>
        <source>no free slot</source>
        <translation>no free slot</translation>
    </message>
    <message>
        <source>the connection to the pedal was lost</source>
        <translation>the connection to the pedal was lost</translation>
    </message>
    <message>
        <source>the import was stopped</source>
        <translation>the import was stopped</translation>
    </message>
    <message>
        <source>the pedal stopped answering</source>
        <translation>the pedal stopped answering</translation>
    </message>
    <message>
        <source>The import stopped at %1: %2.</source>
        <translation>The import stopped at %1: %2.</translation>
    </message>
    <message>
        <source>The slot names are read again when the pedal is connected.</source>
        <translation>The slot names are read again when the pedal is connected.</translation>
    </message>
    <message>
        <source>Files (%1)</source>
        <translation>Files (%1)</translation>
    </message>
    <message>
        <source>Only %1 of the %2 files fit from slot %3 on (the pedal has 11 slots). Import the first %1?</source>
        <translation>Only %1 of the %2 files fit from slot %3 on (the pedal has 11 slots). Import the first %1?</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>too short for a preset file</source>
        <translation>too short for a preset file</translation>
    </message>
    <message>
        <source>not a preset file</source>
        <translation>not a preset file</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be renamed to &apos;%2&apos;: %3</source>
        <translation>&apos;%1&apos; could not be renamed to &apos;%2&apos;: %3</translation>
    </message>
    <message>
        <source>These files were not added:</source>
        <translation>These files were not added:</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be moved to the trash. Delete it for good?</source>
        <translation>&apos;%1&apos; cannot be moved to the trash. Delete it for good?</translation>
    </message>
    <message>
        <source>%1 preset files cannot be moved to the trash. Delete them for good?</source>
        <translation>%1 preset files cannot be moved to the trash. Delete them for good?</translation>
    </message>
    <message>
        <source>These files were not deleted:</source>
        <translation>These files were not deleted:</translation>
    </message>
    <message>
        <source>no free file name is left</source>
        <translation>no free file name is left</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be saved: %2</source>
        <translation>&apos;%1&apos; could not be saved: %2</translation>
    </message>
    <message>
        <source>a file of that name already exists</source>
        <translation>a file of that name already exists</translation>
    </message>
    <message>
        <source>A backup is reading the pedal&apos;s memory. Wait until it has finished, then close TALIX.</source>
        <translation>A backup is reading the pedal&apos;s memory. Wait until it has finished, then close TALIX.</translation>
    </message>
    <message>
        <source>A restore is writing the pedal&apos;s memory. Wait until it has finished, then close TALIX.</source>
        <translation>A restore is writing the pedal&apos;s memory. Wait until it has finished, then close TALIX.</translation>
    </message>
    <message>
        <source>An IR import is writing to the pedal. Wait until it has finished, then close TALIX.</source>
        <translation>An IR import is writing to the pedal. Wait until it has finished, then close TALIX.</translation>
    </message>
    <message>
        <source>A factory reset is restarting the pedal. Wait until it has finished, then close TALIX.</source>
        <translation>A factory reset is restarting the pedal. Wait until it has finished, then close TALIX.</translation>
    </message>
    <message>
        <source>TALIXUpdate could not be started from &quot;%1&quot;. Reinstall TALIX.</source>
        <translation>TALIXUpdate could not be started from &quot;%1&quot;. Reinstall TALIX.</translation>
    </message>
    <message>
        <source>No udev rule for USB 0483:5703 is installed.</source>
        <translation>No udev rule for USB 0483:5703 is installed.</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Keyboard shortcuts</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab: next or previous control</source>
        <translation>Tab, Shift+Tab: next or previous control</translation>
    </message>
    <message>
        <source>Space, Enter: press a button or switch</source>
        <translation>Space, Enter: press a button or switch</translation>
    </message>
    <message>
        <source>Dials: Left or Down -1, Right or Up +1, Page Down or Page Up -10 or +10, Home or End to the minimum or maximum</source>
        <translation>Dials: Left or Down -1, Right or Up +1, Page Down or Page Up -10 or +10, Home or End to the minimum or maximum</translation>
    </message>
    <message>
        <source>Menus and choosers: Space, Enter or Down opens, the arrows move, Enter chooses, Escape closes</source>
        <translation>Menus and choosers: Space, Enter or Down opens, the arrows move, Enter chooses, Escape closes</translation>
    </message>
    <message>
        <source>Presets: Left and Right move, Space or Enter chooses; Ctrl+S saves the current preset</source>
        <translation>Presets: Left and Right move, Space or Enter chooses; Ctrl+S saves the current preset</translation>
    </message>
    <message>
        <source>Lists: Up and Down move, Shift+Up and Shift+Down extend the selection, Space adds or removes a row</source>
        <translation>Lists: Up and Down move, Shift+Up and Shift+Down extend the selection, Space adds or removes a row</translation>
    </message>
    <message>
        <source>Lists: Enter, the menu key or Shift+F10 opens the row&apos;s menu, Delete deletes, F2 renames a preset file</source>
        <translation>Lists: Enter, the menu key or Shift+F10 opens the row&apos;s menu, Delete deletes, F2 renames a preset file</translation>
    </message>
    <message>
        <source>Prompts: Enter takes the default button, Escape closes</source>
        <translation>Prompts: Enter takes the default button, Escape closes</translation>
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
        <translation>%1 switch</translation>
    </message>
    <message>
        <source>%1 cabinet</source>
        <translation>%1 cabinet</translation>
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
        <translation>%1 value</translation>
    </message>
    <message>
        <source>Slot %1, %2</source>
        <translation>Slot %1, %2</translation>
    </message>
    <message>
        <source>used by CAB A</source>
        <translation>used by CAB A</translation>
    </message>
    <message>
        <source>used by CAB B</source>
        <translation>used by CAB B</translation>
    </message>
    <message>
        <source>used by CAB A and CAB B</source>
        <translation>used by CAB A and CAB B</translation>
    </message>
    <message>
        <source>Firmware update progress</source>
        <translation>Firmware update progress</translation>
    </message>
    <message>
        <source>TALIX Update</source>
        <translation>TALIX Update</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S: save the current preset as a file in the computer&apos;s preset list</source>
        <translation>Ctrl+Shift+S: save the current preset as a file in the computer&apos;s preset list</translation>
    </message>
</context>
</TS>
