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
        <source>Device Disconnected!</source>
        <translation>デバイスが接続されていません！</translation>
    </message>
    <message>
        <source>Are you sure to save the Preset?</source>
        <translation>このプリセットを保存しますか？</translation>
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
        <source>Device data backup successful.</source>
        <translation>デバイスデータのバックアップが完了しました。</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>インポート</translation>
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
        <source>TALIX Backup File</source>
        <translation>TALIX バックアップファイル</translation>
    </message>
</context>
</TS>
