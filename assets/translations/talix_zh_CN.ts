<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en_US">
<context>
    <name>QObject</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Restore File</source>
        <translation>还原</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>The software version dose not match the firmware of your device, keep using the software may lose support of some functions.</source>
        <translation>软件版本与设备固件不匹配，继续使用本软件可能导致部分功能无法使用。</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>固件版本：</translation>
    </message>
    <message>
        <source>Software version:</source>
        <translation>软件版本：</translation>
    </message>
    <message>
        <source>Update firmware</source>
        <translation>更新固件</translation>
    </message>
    <message>
        <source>Continue using</source>
        <translation>继续使用</translation>
    </message>
    <message>
        <source>Device Disconnected!</source>
        <translation>设备未连接！</translation>
    </message>
    <message>
        <source>Are you sure to save the Preset?</source>
        <translation>确定要保存该预设吗？</translation>
    </message>
    <message>
        <source>Device connection disconnected, please reconnect!</source>
        <translation>设备连接已断开，请重新连接！</translation>
    </message>
    <message>
        <source>Exit the application!</source>
        <translation>确定退出程序吗？</translation>
    </message>
    <message>
        <source>Device data backup successful.</source>
        <translation>设备数据备份成功。</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Preset import successful !</source>
        <translation>预设导入成功！</translation>
    </message>
    <message>
        <source>Preset import failed !</source>
        <translation>预设导入失败！</translation>
    </message>
    <message>
        <source>TALIX Backup File</source>
        <translation>TALIX 备份文件</translation>
    </message>
</context>
</TS>
