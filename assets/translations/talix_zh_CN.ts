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
        <translation>正在更新…</translation>
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
        <source>Failed</source>
        <translation>失败</translation>
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
        <source>Open Folder</source>
        <translation>打开文件夹</translation>
    </message>
    <message>
        <source>Update the pedal with &quot;%1&quot;? The pedal restarts into its update mode; keep it plugged in until the updater says it has finished.</source>
        <translation>要用“%1”更新效果器吗？效果器将重新启动进入更新模式；在更新程序提示完成之前，请保持连接。</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; cannot be read by this user.</source>
        <translation>当前用户无法读取固件文件“%1”。</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is too short or cut off.</source>
        <translation>固件文件“%1”过短或不完整。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is not a firmware image.</source>
        <translation>文件“%1”不是固件映像。</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is made for another pedal.</source>
        <translation>固件文件“%1”是为其他效果器制作的。</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; holds no firmware to write.</source>
        <translation>固件文件“%1”中没有可写入的固件。</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is damaged: a section does not end on a whole block.</source>
        <translation>固件文件“%1”已损坏：有一段数据没有以完整的块结束。</translation>
    </message>
    <message>
        <source>No usable firmware file (*.zv) was found. Put the firmware file into the folder &quot;%1&quot;.</source>
        <translation>未找到可用的固件文件（*.zv）。请将固件文件放入文件夹“%1”。</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>文件：%1</translation>
    </message>
    <message>
        <source>The pedal now runs the new firmware.</source>
        <translation>效果器现已运行新固件。</translation>
    </message>
    <message>
        <source>Writing the firmware — keep the pedal plugged in and this window open.</source>
        <translation>正在写入固件——请保持效果器连接，不要关闭此窗口。</translation>
    </message>
    <message>
        <source>The pedal is being updated. If you close now it stays in its update mode until you run the update again. Close anyway?</source>
        <translation>效果器正在更新。如果现在关闭，它将一直处于更新模式，直到您再次运行更新。仍要关闭吗？</translation>
    </message>
    <message>
        <source>Replace it, close this window and start the updater again.</source>
        <translation>请替换该文件，关闭此窗口后重新启动更新程序。</translation>
    </message>
    <message>
        <source>The pedal did not accept the new firmware. Unplug it, plug it in again and run the update again.</source>
        <translation>效果器未接受新固件。请拔下后重新连接，然后再次运行更新。</translation>
    </message>
    <message>
        <source>Then press Start.</source>
        <translation>然后按“开始”。</translation>
    </message>
    <message>
        <source>The pedal is plugged in, but this user may not open it. Install the TALIX package (its rule gives the person at the computer access), then unplug the pedal and plug it in again.</source>
        <translation>效果器已连接，但当前用户无权打开它。请安装 TALIX 软件包（其规则会为正在使用这台电脑的人授予访问权限），然后拔下效果器并重新连接。</translation>
    </message>
    <message>
        <source>Another program is using the pedal. Close other TALIX or TALIXUpdate windows (also those of other users on this computer), then connect again.</source>
        <translation>另一个程序正在使用效果器。请关闭其他 TALIX 或 TALIXUpdate 窗口（包括这台电脑上其他用户的窗口），然后重新连接。</translation>
    </message>
    <message>
        <source>A driver of the system holds the pedal and does not let it go. Unplug the pedal, plug it in again and connect again.</source>
        <translation>系统驱动程序占用了效果器且不释放。请拔下效果器后重新连接，然后再次连接。</translation>
    </message>
    <message>
        <source>The device on USB 0483:5703 answered as &quot;%1&quot;, not as a TALIX pedal.</source>
        <translation>USB 0483:5703 上的设备应答为“%1”，而不是 TALIX 效果器。</translation>
    </message>
    <message>
        <source>The pedal did not answer. Unplug it, plug it in again and connect again.</source>
        <translation>效果器没有响应。请拔下后重新连接，然后再次连接。</translation>
    </message>
    <message>
        <source>USB is not available to TALIX here (%1). Run it outside the sandbox or container, or give it access to USB devices.</source>
        <translation>此处 TALIX 无法使用 USB（%1）。请在沙盒或容器之外运行，或授予其访问 USB 设备的权限。</translation>
    </message>
    <message>
        <source>The pedal is plugged in, but this user may not open it. Install the TALIX package, then unplug the pedal, plug it in again and start the updater again.</source>
        <translation>效果器已连接，但当前用户无权打开它。请安装 TALIX 软件包，拔下效果器后重新连接，然后重新启动更新程序。</translation>
    </message>
    <message>
        <source>Another program is using the pedal. Close other TALIX or TALIXUpdate windows (also those of other users on this computer), then start the updater again.</source>
        <translation>另一个程序正在使用效果器。请关闭其他 TALIX 或 TALIXUpdate 窗口（包括这台电脑上其他用户的窗口），然后重新启动更新程序。</translation>
    </message>
    <message>
        <source>A driver of the system holds the pedal and does not let it go. Unplug the pedal, plug it in again and start the updater again.</source>
        <translation>系统驱动程序占用了效果器且不释放。请拔下效果器后重新连接，然后重新启动更新程序。</translation>
    </message>
    <message>
        <source>The pedal&apos;s device is %1.</source>
        <translation>效果器的设备为 %1。</translation>
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
    <message>
        <source>A backup is reading the pedal&apos;s memory. Wait until it has finished, then close TALIX.</source>
        <translation>正在读取效果器的存储器进行备份。请等待备份完成后再关闭 TALIX。</translation>
    </message>
    <message>
        <source>A restore is writing the pedal&apos;s memory. Wait until it has finished, then close TALIX.</source>
        <translation>正在向效果器的存储器写入恢复数据。请等待恢复完成后再关闭 TALIX。</translation>
    </message>
    <message>
        <source>An IR import is writing to the pedal. Wait until it has finished, then close TALIX.</source>
        <translation>正在向效果器导入 IR。请等待导入完成后再关闭 TALIX。</translation>
    </message>
    <message>
        <source>A factory reset is restarting the pedal. Wait until it has finished, then close TALIX.</source>
        <translation>效果器正在恢复出厂设置并重新启动。请等待完成后再关闭 TALIX。</translation>
    </message>
    <message>
        <source>TALIXUpdate could not be started from &quot;%1&quot;. Reinstall TALIX.</source>
        <translation>无法从“%1”启动 TALIXUpdate。请重新安装 TALIX。</translation>
    </message>
    <message>
        <source>No udev rule for USB 0483:5703 is installed.</source>
        <translation>未安装适用于 USB 0483:5703 的 udev 规则。</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>键盘快捷键</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab: next or previous control</source>
        <translation>Tab、Shift+Tab：下一个或上一个控件</translation>
    </message>
    <message>
        <source>Space, Enter: press a button or switch</source>
        <translation>空格、回车：按下按钮或开关</translation>
    </message>
    <message>
        <source>Dials: Left or Down -1, Right or Up +1, Page Down or Page Up -10 or +10, Home or End to the minimum or maximum</source>
        <translation>旋钮：左或下 -1，右或上 +1，Page Down 或 Page Up -10 或 +10，Home 或 End 到最小或最大</translation>
    </message>
    <message>
        <source>Menus and choosers: Space, Enter or Down opens, the arrows move, Enter chooses, Escape closes</source>
        <translation>菜单和选择框：空格、回车或下箭头打开，方向键移动，回车选择，Esc 关闭</translation>
    </message>
    <message>
        <source>Presets: Left and Right move, Space or Enter chooses; Ctrl+S saves the current preset</source>
        <translation>预设：左右箭头移动，空格或回车选择；Ctrl+S 保存当前预设</translation>
    </message>
    <message>
        <source>Lists: Up and Down move, Shift+Up and Shift+Down extend the selection, Space adds or removes a row</source>
        <translation>列表：上下箭头移动，Shift+上/下扩展选择，空格添加或移除一行</translation>
    </message>
    <message>
        <source>Lists: Enter, the menu key or Shift+F10 opens the row&apos;s menu, Delete deletes, F2 renames a preset file</source>
        <translation>列表：回车、菜单键或 Shift+F10 打开该行的菜单，Delete 删除，F2 重命名预设文件</translation>
    </message>
    <message>
        <source>Prompts: Enter takes the default button, Escape closes</source>
        <translation>提示框：回车选择默认按钮，Esc 关闭</translation>
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
        <translation>%1 开关</translation>
    </message>
    <message>
        <source>%1 cabinet</source>
        <translation>%1 箱体</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a cabinet and its dial: CAB A Level</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>预设 %1</translation>
    </message>
    <message>
        <source>%1 value</source>
        <translation>%1 数值</translation>
    </message>
    <message>
        <source>Slot %1, %2</source>
        <translation>槽位 %1，%2</translation>
    </message>
    <message>
        <source>used by CAB A</source>
        <translation>CAB A 使用中</translation>
    </message>
    <message>
        <source>used by CAB B</source>
        <translation>CAB B 使用中</translation>
    </message>
    <message>
        <source>used by CAB A and CAB B</source>
        <translation>CAB A 和 CAB B 使用中</translation>
    </message>
    <message>
        <source>Firmware update progress</source>
        <translation>固件更新进度</translation>
    </message>
    <message>
        <source>TALIX Update</source>
        <translation>TALIX 更新</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S: save the current preset as a file in the computer&apos;s preset list</source>
        <translation>Ctrl+Shift+S：将当前预设另存为电脑预设列表中的文件</translation>
    </message>
</context>
</TS>
