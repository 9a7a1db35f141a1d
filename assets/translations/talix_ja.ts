<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name>QObject</name>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
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
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>The software version dose not match the firmware of your device, keep using the software may lose support of some functions.</source>
        <translation>ソフトウェアのバージョンがデバイスのファームウェアと一致しません。このまま使用すると、一部の機能が利用できない場合があります。</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>ファームウェアバージョン：</translation>
    </message>
    <message>
        <source>Software version:</source>
        <translation>ソフトウェアバージョン：</translation>
    </message>
    <message>
        <source>Update firmware</source>
        <translation>ファームウェア更新</translation>
    </message>
    <message>
        <source>Continue using</source>
        <translation>このまま使用</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>接続済み</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>未接続</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>アップデート</translation>
    </message>
    <message>
        <source>Factory reset</source>
        <translation>工場出荷時設定に戻す</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Dark Mode</source>
        <translation>ダークモード</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>ライトモード</translation>
    </message>
    <message>
        <source>Firmware Update</source>
        <translation>ファームウェア更新</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>ソフトウェア更新</translation>
    </message>
    <message>
        <source>Device Disconnected!</source>
        <translation>デバイスが接続されていません！</translation>
    </message>
    <message>
        <source>Are you sure to save the Preset?</source>
        <translation>このプリセットを保存しますか？</translation>
    </message>
    <message>
        <source>Do you really want to reset the database? Device needs to be restart!</source>
        <translation>データベースをリセットしますか？デバイスの再起動が必要です！</translation>
    </message>
    <message>
        <source>Device connection disconnected, please reconnect!</source>
        <translation>デバイスとの接続が切断されました。再接続してください！</translation>
    </message>
    <message>
        <source>Exit the application!</source>
        <translation>アプリケーションを終了しますか？</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>レベル</translation>
    </message>
    <message>
        <source>Latency</source>
        <translation>レイテンシ</translation>
    </message>
    <message>
        <source>Low-Cut</source>
        <translation>ローカット</translation>
    </message>
    <message>
        <source>High-Cut</source>
        <translation>ハイカット</translation>
    </message>
    <message>
        <source>DIGITAL</source>
        <translation>デジタル</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
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
        <translation>デバイスデータのバックアップが完了しました。</translation>
    </message>
    <message>
        <source>CABINET TYPE</source>
        <translation>キャビネットタイプ</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>インポート</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>ダウンロード</translation>
    </message>
    <message>
        <source>Select one or more files to open</source>
        <translation>開くファイルを選択してください（複数可）</translation>
    </message>
    <message>
        <source>Preset import successful !</source>
        <translation>プリセットのインポートに成功しました！</translation>
    </message>
    <message>
        <source>Preset import failed !</source>
        <translation>プリセットのインポートに失敗しました！</translation>
    </message>
    <message>
        <source>COMPUTER</source>
        <translation>コンピューター</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>名前を変更</translation>
    </message>
    <message>
        <source>Open this directory</source>
        <translation>このフォルダーを開く</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>最新の情報に更新</translation>
    </message>
    <message>
        <source>already exists</source>
        <translation>は既に存在します</translation>
    </message>
    <message>
        <source>TALIX Backup File</source>
        <translation>TALIX バックアップファイル</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>読み込み中...</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>更新中…</translation>
    </message>
    <message>
        <source>not a WAVE or GIR file</source>
        <translation>WAVE または GIR ファイルではありません</translation>
    </message>
    <message>
        <source>unsupported format</source>
        <translation>対応していない形式です</translation>
    </message>
    <message>
        <source>damaged or truncated</source>
        <translation>破損しているか途中で切れています</translation>
    </message>
    <message>
        <source>could not be opened</source>
        <translation>開けませんでした</translation>
    </message>
    <message>
        <source>These files were not imported:</source>
        <translation>次のファイルはインポートされませんでした:</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>The pedal did not answer. Check the USB cable, unplug the pedal and plug it in again, then start the updater again.</source>
        <translation>ペダルが応答しませんでした。USB ケーブルを確認し、ペダルを抜いて挿し直してから、アップデーターを再起動してください。</translation>
    </message>
    <message>
        <source>The pedal refused to begin the update. Unplug the pedal and plug it in again, then start the updater again.</source>
        <translation>ペダルが更新の開始を拒否しました。ペダルを抜いて挿し直してから、アップデーターを再起動してください。</translation>
    </message>
    <message>
        <source>The pedal stopped taking the firmware. Unplug the pedal and plug it in again, then start the updater again to repeat the update.</source>
        <translation>ペダルがファームウェアの受信を中断しました。ペダルを抜いて挿し直し、アップデーターを再起動して更新をやり直してください。</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>バックアップ</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>復元</translation>
    </message>
    <message>
        <source>Backup File</source>
        <translation>バックアップファイル</translation>
    </message>
    <message>
        <source>Restore...%1%...</source>
        <translation>復元中...%1%...</translation>
    </message>
    <message>
        <source>Backuping...%1%...</source>
        <translation>バックアップ中...%1%...</translation>
    </message>
    <message>
        <source>Backup failed,Please try again.</source>
        <translation>バックアップに失敗しました。もう一度お試しください。</translation>
    </message>
    <message>
        <source>Device data restore successful.</source>
        <translation>デバイスデータの復元に成功しました。</translation>
    </message>
    <message>
        <source>Restore failed,Please try again.</source>
        <translation>復元に失敗しました。もう一度お試しください。</translation>
    </message>
    <message>
        <source>Adding Ir...%1%...</source>
        <translation>IRを追加中...%1%...</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>フォルダーを開く</translation>
    </message>
    <message>
        <source>Update the pedal with &quot;%1&quot;? The pedal restarts into its update mode; keep it plugged in until the updater says it has finished.</source>
        <translation>「%1」でペダルを更新しますか？ペダルは更新モードで再起動します。アップデーターが完了を知らせるまで、ペダルを接続したままにしてください。</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; cannot be read by this user.</source>
        <translation>ファームウェアファイル「%1」は、このユーザーでは読み込めません。</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is too short or cut off.</source>
        <translation>ファームウェアファイル「%1」は短すぎるか、途中で切れています。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is not a firmware image.</source>
        <translation>ファイル「%1」はファームウェアイメージではありません。</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is made for another pedal.</source>
        <translation>ファームウェアファイル「%1」は別のペダル用です。</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; holds no firmware to write.</source>
        <translation>ファームウェアファイル「%1」には書き込むファームウェアがありません。</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is damaged: a section does not end on a whole block.</source>
        <translation>ファームウェアファイル「%1」は破損しています。ブロックの途中で終わるセクションがあります。</translation>
    </message>
    <message>
        <source>No usable firmware file (*.zv) was found. Put the firmware file into the folder &quot;%1&quot;.</source>
        <translation>使用できるファームウェアファイル（*.zv）が見つかりません。ファームウェアファイルをフォルダー「%1」に置いてください。</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>ファイル: %1</translation>
    </message>
    <message>
        <source>The pedal now runs the new firmware.</source>
        <translation>ペダルは新しいファームウェアで動作しています。</translation>
    </message>
    <message>
        <source>Writing the firmware — keep the pedal plugged in and this window open.</source>
        <translation>ファームウェアを書き込んでいます。ペダルを接続したまま、このウィンドウを開いたままにしてください。</translation>
    </message>
    <message>
        <source>The pedal is being updated. If you close now it stays in its update mode until you run the update again. Close anyway?</source>
        <translation>ペダルを更新中です。いま閉じると、もう一度更新を実行するまでペダルは更新モードのままになります。閉じますか？</translation>
    </message>
    <message>
        <source>Replace it, close this window and start the updater again.</source>
        <translation>ファイルを置き換え、このウィンドウを閉じてからアップデーターを再起動してください。</translation>
    </message>
    <message>
        <source>The pedal did not accept the new firmware. Unplug it, plug it in again and run the update again.</source>
        <translation>ペダルが新しいファームウェアを受け付けませんでした。ペダルを抜いて挿し直し、もう一度更新を実行してください。</translation>
    </message>
    <message>
        <source>Then press Start.</source>
        <translation>その後「開始」を押してください。</translation>
    </message>
    <message>
        <source>The pedal is plugged in, but this user may not open it. Install the TALIX package (its rule gives the person at the computer access), then unplug the pedal and plug it in again.</source>
        <translation>ペダルは接続されていますが、このユーザーには開く権限がありません。TALIX パッケージをインストールし（そのルールがコンピューターの前にいる人にアクセスを与えます）、ペダルを抜いて挿し直してください。</translation>
    </message>
    <message>
        <source>Another program is using the pedal. Close other TALIX or TALIXUpdate windows (also those of other users on this computer), then connect again.</source>
        <translation>別のプログラムがペダルを使用しています。ほかの TALIX または TALIXUpdate のウィンドウ（このコンピューターのほかのユーザーのものも含む）を閉じてから、もう一度接続してください。</translation>
    </message>
    <message>
        <source>A driver of the system holds the pedal and does not let it go. Unplug the pedal, plug it in again and connect again.</source>
        <translation>システムのドライバーがペダルを占有しており、解放しません。ペダルを抜いて挿し直し、もう一度接続してください。</translation>
    </message>
    <message>
        <source>The device on USB 0483:5703 answered as &quot;%1&quot;, not as a TALIX pedal.</source>
        <translation>USB 0483:5703 のデバイスは、TALIX ペダルではなく「%1」として応答しました。</translation>
    </message>
    <message>
        <source>The pedal did not answer. Unplug it, plug it in again and connect again.</source>
        <translation>ペダルが応答しませんでした。ペダルを抜いて挿し直し、もう一度接続してください。</translation>
    </message>
    <message>
        <source>USB is not available to TALIX here (%1). Run it outside the sandbox or container, or give it access to USB devices.</source>
        <translation>この環境では TALIX から USB を使用できません（%1）。サンドボックスやコンテナーの外で実行するか、USB デバイスへのアクセスを許可してください。</translation>
    </message>
    <message>
        <source>The pedal is plugged in, but this user may not open it. Install the TALIX package, then unplug the pedal, plug it in again and start the updater again.</source>
        <translation>ペダルは接続されていますが、このユーザーには開く権限がありません。TALIX パッケージをインストールし、ペダルを抜いて挿し直してから、アップデーターを再起動してください。</translation>
    </message>
    <message>
        <source>Another program is using the pedal. Close other TALIX or TALIXUpdate windows (also those of other users on this computer), then start the updater again.</source>
        <translation>別のプログラムがペダルを使用しています。ほかの TALIX または TALIXUpdate のウィンドウ（このコンピューターのほかのユーザーのものも含む）を閉じてから、アップデーターを再起動してください。</translation>
    </message>
    <message>
        <source>A driver of the system holds the pedal and does not let it go. Unplug the pedal, plug it in again and start the updater again.</source>
        <translation>システムのドライバーがペダルを占有しており、解放しません。ペダルを抜いて挿し直してから、アップデーターを再起動してください。</translation>
    </message>
    <message>
        <source>The pedal&apos;s device is %1.</source>
        <translation>ペダルのデバイスは %1 です。</translation>
    </message>
    <message>
        <source>no free slot</source>
        <translation>空きスロットがありません</translation>
    </message>
    <message>
        <source>the connection to the pedal was lost</source>
        <translation>ペダルとの接続が切れました</translation>
    </message>
    <message>
        <source>the import was stopped</source>
        <translation>インポートが中止されました</translation>
    </message>
    <message>
        <source>the pedal stopped answering</source>
        <translation>ペダルが応答しなくなりました</translation>
    </message>
    <message>
        <source>The import stopped at %1: %2.</source>
        <translation>%1 でインポートが止まりました：%2。</translation>
    </message>
    <message>
        <source>The slot names are read again when the pedal is connected.</source>
        <translation>スロット名はペダルを接続したときに再度読み込まれます。</translation>
    </message>
    <message>
        <source>Files (%1)</source>
        <translation>ファイル (%1)</translation>
    </message>
    <message>
        <source>Only %1 of the %2 files fit from slot %3 on (the pedal has 11 slots). Import the first %1?</source>
        <translation>スロット %3 以降に入るのは %2 個のファイルのうち %1 個だけです（ペダルのスロットは 11 個）。最初の %1 個をインポートしますか？</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>不明</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>ファイルが空です</translation>
    </message>
    <message>
        <source>too short for a preset file</source>
        <translation>プリセットファイルとしては短すぎます</translation>
    </message>
    <message>
        <source>not a preset file</source>
        <translation>プリセットファイルではありません</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be renamed to &apos;%2&apos;: %3</source>
        <translation>&apos;%1&apos; の名前を &apos;%2&apos; に変更できませんでした：%3</translation>
    </message>
    <message>
        <source>These files were not added:</source>
        <translation>次のファイルは追加されませんでした:</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be moved to the trash. Delete it for good?</source>
        <translation>&apos;%1&apos; をごみ箱に移動できません。完全に削除しますか？</translation>
    </message>
    <message>
        <source>%1 preset files cannot be moved to the trash. Delete them for good?</source>
        <translation>%1 個のプリセットファイルをごみ箱に移動できません。完全に削除しますか？</translation>
    </message>
    <message>
        <source>These files were not deleted:</source>
        <translation>次のファイルは削除されませんでした:</translation>
    </message>
    <message>
        <source>no free file name is left</source>
        <translation>使用できるファイル名が残っていません</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be saved: %2</source>
        <translation>&apos;%1&apos; を保存できませんでした：%2</translation>
    </message>
    <message>
        <source>a file of that name already exists</source>
        <translation>同じ名前のファイルが既に存在します</translation>
    </message>
    <message>
        <source>A backup is reading the pedal&apos;s memory. Wait until it has finished, then close TALIX.</source>
        <translation>バックアップがペダルのメモリーを読み取っています。終わるまで待ってから TALIX を閉じてください。</translation>
    </message>
    <message>
        <source>A restore is writing the pedal&apos;s memory. Wait until it has finished, then close TALIX.</source>
        <translation>復元がペダルのメモリーに書き込んでいます。終わるまで待ってから TALIX を閉じてください。</translation>
    </message>
    <message>
        <source>An IR import is writing to the pedal. Wait until it has finished, then close TALIX.</source>
        <translation>IRのインポートがペダルに書き込んでいます。終わるまで待ってから TALIX を閉じてください。</translation>
    </message>
    <message>
        <source>A factory reset is restarting the pedal. Wait until it has finished, then close TALIX.</source>
        <translation>工場出荷時設定に戻すため、ペダルが再起動しています。終わるまで待ってから TALIX を閉じてください。</translation>
    </message>
    <message>
        <source>TALIXUpdate could not be started from &quot;%1&quot;. Reinstall TALIX.</source>
        <translation>「%1」から TALIXUpdate を起動できませんでした。TALIX を再インストールしてください。</translation>
    </message>
    <message>
        <source>No udev rule for USB 0483:5703 is installed.</source>
        <translation>USB 0483:5703 用の udev ルールがインストールされていません。</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>キーボードショートカット</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab: next or previous control</source>
        <translation>Tab、Shift+Tab：次または前の操作部</translation>
    </message>
    <message>
        <source>Space, Enter: press a button or switch</source>
        <translation>Space、Enter：ボタンやスイッチを押す</translation>
    </message>
    <message>
        <source>Dials: Left or Down -1, Right or Up +1, Page Down or Page Up -10 or +10, Home or End to the minimum or maximum</source>
        <translation>ダイヤル：←または↓で -1、→または↑で +1、Page Down または Page Up で -10 または +10、Home または End で最小または最大</translation>
    </message>
    <message>
        <source>Menus and choosers: Space, Enter or Down opens, the arrows move, Enter chooses, Escape closes</source>
        <translation>メニューと選択リスト：Space、Enter または↓で開く、矢印キーで移動、Enter で選択、Escape で閉じる</translation>
    </message>
    <message>
        <source>Presets: Left and Right move, Space or Enter chooses; Ctrl+S saves the current preset</source>
        <translation>プリセット：←と→で移動、Space または Enter で選択、Ctrl+S で現在のプリセットを保存</translation>
    </message>
    <message>
        <source>Lists: Up and Down move, Shift+Up and Shift+Down extend the selection, Space adds or removes a row</source>
        <translation>リスト：↑と↓で移動、Shift+↑と Shift+↓で選択を広げる、Space で行を選択または解除</translation>
    </message>
    <message>
        <source>Lists: Enter, the menu key or Shift+F10 opens the row&apos;s menu, Delete deletes, F2 renames a preset file</source>
        <translation>リスト：Enter、メニューキーまたは Shift+F10 で行のメニューを開く、Delete で削除、F2 でプリセットファイルの名前を変更</translation>
    </message>
    <message>
        <source>Prompts: Enter takes the default button, Escape closes</source>
        <translation>確認：Enter で既定のボタン、Escape で閉じる</translation>
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
        <translation>%1 スイッチ</translation>
    </message>
    <message>
        <source>%1 cabinet</source>
        <translation>%1 キャビネット</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a cabinet and its dial: CAB A Level</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>プリセット</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>プリセット %1</translation>
    </message>
    <message>
        <source>%1 value</source>
        <translation>%1 の値</translation>
    </message>
    <message>
        <source>Slot %1, %2</source>
        <translation>スロット %1、%2</translation>
    </message>
    <message>
        <source>used by CAB A</source>
        <translation>CAB A で使用中</translation>
    </message>
    <message>
        <source>used by CAB B</source>
        <translation>CAB B で使用中</translation>
    </message>
    <message>
        <source>used by CAB A and CAB B</source>
        <translation>CAB A と CAB B で使用中</translation>
    </message>
    <message>
        <source>Firmware update progress</source>
        <translation>ファームウェア更新の進行状況</translation>
    </message>
    <message>
        <source>TALIX Update</source>
        <translation>TALIX アップデート</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S: save the current preset as a file in the computer&apos;s preset list</source>
        <translation>Ctrl+Shift+S：現在のプリセットをコンピューターのプリセット一覧にファイルとして保存</translation>
    </message>
</context>
</TS>
