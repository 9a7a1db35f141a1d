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
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Factory reset</source>
        <translation>恢复出厂设置</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Dark Mode</source>
        <translation>深色模式</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>浅色模式</translation>
    </message>
    <message>
        <source>Firmware Update</source>
        <translation>固件更新</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>软件更新</translation>
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
        <source>Do you really want to reset the database? Device needs to be restart!</source>
        <translation>确定要重置数据库吗？设备需要重新启动！</translation>
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
        <source>Level</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>Latency</source>
        <translation>延迟</translation>
    </message>
    <message>
        <source>Low-Cut</source>
        <translation>低切</translation>
    </message>
    <message>
        <source>High-Cut</source>
        <translation>高切</translation>
    </message>
    <message>
        <source>DIGITAL</source>
        <translation>数字</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>CAB A(Left)</source>
        <translation>CAB A（左）</translation>
    </message>
    <message>
        <source>CAB B(Right)</source>
        <translation>CAB B（右）</translation>
    </message>
    <message>
        <source>Device data backup successful.</source>
        <translation>设备数据备份成功。</translation>
    </message>
    <message>
        <source>CABINET TYPE</source>
        <translation>箱体类型</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Select one or more files to open</source>
        <translation>选择要打开的一个或多个文件</translation>
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
        <source>COMPUTER</source>
        <translation>电脑</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>Open this directory</source>
        <translation>打开此目录</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>already exists</source>
        <translation>已存在</translation>
    </message>
    <message>
        <source>TALIX Backup File</source>
        <translation>TALIX 备份文件</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>加载中...</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>传输中</translation>
    </message>
    <message>
        <source>not a WAVE or GIR file</source>
        <translation>不是 WAVE 或 GIR 文件</translation>
    </message>
    <message>
        <source>unsupported format</source>
        <translation>不支持的格式</translation>
    </message>
    <message>
        <source>damaged or truncated</source>
        <translation>文件已损坏或不完整</translation>
    </message>
    <message>
        <source>could not be opened</source>
        <translation>无法打开</translation>
    </message>
    <message>
        <source>These files were not imported:</source>
        <translation>以下文件未导入：</translation>
    </message>
    <message>
        <source>MainWindow</source>
        <translation>主窗口</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>No firmware file (*.zv) is in the folder &quot;Firmware&quot; beside the updater. Copy the firmware file there, close this window and start the updater again.</source>
        <translation>更新程序旁的“Firmware”文件夹中没有固件文件（*.zv）。请将固件文件复制到该文件夹，关闭此窗口后重新启动更新程序。</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; cannot be read or is damaged. Replace it with an intact copy, close this window and start the updater again.</source>
        <translation>固件文件“%1”无法读取或已损坏。请换用完好的副本，关闭此窗口后重新启动更新程序。</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is not made for this pedal. Put the firmware for TALIX in its place, close this window and start the updater again.</source>
        <translation>固件文件“%1”不适用于这台效果器。请换成 TALIX 的固件，关闭此窗口后重新启动更新程序。</translation>
    </message>
    <message>
        <source>The pedal did not answer. Check the USB cable, unplug the pedal and plug it in again, then start the updater again.</source>
        <translation>效果器没有响应。请检查 USB 线缆，拔下效果器后重新连接，然后重新启动更新程序。</translation>
    </message>
    <message>
        <source>The pedal refused to begin the update. Unplug the pedal and plug it in again, then start the updater again.</source>
        <translation>效果器拒绝开始更新。请拔下效果器后重新连接，然后重新启动更新程序。</translation>
    </message>
    <message>
        <source>The pedal stopped taking the firmware. Unplug the pedal and plug it in again, then start the updater again to repeat the update.</source>
        <translation>效果器中途停止接收固件。请拔下效果器后重新连接，然后重新启动更新程序以再次更新。</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>Backup File</source>
        <translation>备份文件</translation>
    </message>
    <message>
        <source>Restore...%1%...</source>
        <translation>恢复中...%1%...</translation>
    </message>
    <message>
        <source>Backuping...%1%...</source>
        <translation>备份中...%1%...</translation>
    </message>
    <message>
        <source>Backup failed,Please try again.</source>
        <translation>备份失败，请重试。</translation>
    </message>
    <message>
        <source>Device data restore successful.</source>
        <translation>设备数据恢复成功。</translation>
    </message>
    <message>
        <source>Restore failed,Please try again.</source>
        <translation>恢复失败，请重试。</translation>
    </message>
    <message>
        <source>Adding Ir...%1%...</source>
        <translation>正在添加IR...%1%...</translation>
    </message>
    <message>
        <source>no free slot</source>
        <translation>没有空闲槽位</translation>
    </message>
    <message>
        <source>the connection to the pedal was lost</source>
        <translation>与踏板的连接已断开</translation>
    </message>
    <message>
        <source>the import was stopped</source>
        <translation>导入已停止</translation>
    </message>
    <message>
        <source>the pedal stopped answering</source>
        <translation>踏板停止响应</translation>
    </message>
    <message>
        <source>The import stopped at %1: %2.</source>
        <translation>导入在 %1 处中止：%2。</translation>
    </message>
    <message>
        <source>The slot names are read again when the pedal is connected.</source>
        <translation>连接踏板时将重新读取槽位名称。</translation>
    </message>
    <message>
        <source>Files (%1)</source>
        <translation>文件 (%1)</translation>
    </message>
    <message>
        <source>Only %1 of the %2 files fit from slot %3 on (the pedal has 11 slots). Import the first %1?</source>
        <translation>从槽位 %3 起，%2 个文件中只能放入 %1 个（踏板共有 11 个槽位）。是否导入前 %1 个？</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>文件为空</translation>
    </message>
    <message>
        <source>too short for a preset file</source>
        <translation>文件太短，不能作为预设文件</translation>
    </message>
    <message>
        <source>not a preset file</source>
        <translation>不是预设文件</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be renamed to &apos;%2&apos;: %3</source>
        <translation>无法将 &apos;%1&apos; 重命名为 &apos;%2&apos;：%3</translation>
    </message>
    <message>
        <source>These files were not added:</source>
        <translation>以下文件未添加：</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be moved to the trash. Delete it for good?</source>
        <translation>无法将 &apos;%1&apos; 移到回收站。是否永久删除？</translation>
    </message>
    <message>
        <source>%1 preset files cannot be moved to the trash. Delete them for good?</source>
        <translation>%1 个预设文件无法移到回收站。是否永久删除？</translation>
    </message>
    <message>
        <source>These files were not deleted:</source>
        <translation>以下文件未删除：</translation>
    </message>
    <message>
        <source>no free file name is left</source>
        <translation>已没有可用的文件名</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be saved: %2</source>
        <translation>无法保存 &apos;%1&apos;：%2</translation>
    </message>
    <message>
        <source>a file of that name already exists</source>
        <translation>已存在同名文件</translation>
    </message>
</context>
</TS>
