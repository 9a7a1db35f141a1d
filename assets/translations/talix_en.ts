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
        <source>Device Disconnected!</source>
        <translation>Device Disconnected!</translation>
    </message>
    <message>
        <source>Are you sure to save the Preset?</source>
        <translation>Are you sure to save the Preset?</translation>
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
        <source>Device data backup successful.</source>
        <translation>Device data backup successful.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
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
        <source>TALIX Backup File</source>
        <translation>TALIX Backup File</translation>
    </message>
</context>
</TS>
