<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
<context>
    <name>QObject</name>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Agrandir</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Restore File</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>The software version dose not match the firmware of your device, keep using the software may lose support of some functions.</source>
        <translation>La version du logiciel ne correspond pas au firmware de votre appareil. Si vous continuez à utiliser le logiciel, certaines fonctions risquent de ne pas être prises en charge.</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>Version du firmware :</translation>
    </message>
    <message>
        <source>Software version:</source>
        <translation>Version du logiciel :</translation>
    </message>
    <message>
        <source>Update firmware</source>
        <translation>Mettre à jour</translation>
    </message>
    <message>
        <source>Continue using</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>Device Disconnected!</source>
        <translation>Appareil déconnecté !</translation>
    </message>
    <message>
        <source>Are you sure to save the Preset?</source>
        <translation>Voulez-vous vraiment enregistrer le preset ?</translation>
    </message>
    <message>
        <source>Device connection disconnected, please reconnect!</source>
        <translation>La connexion à l&apos;appareil a été interrompue, veuillez vous reconnecter !</translation>
    </message>
    <message>
        <source>Exit the application!</source>
        <translation>Quitter l&apos;application ?</translation>
    </message>
    <message>
        <source>Device data backup successful.</source>
        <translation>Sauvegarde des données de l&apos;appareil réussie.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Preset import successful !</source>
        <translation>Importation du preset réussie !</translation>
    </message>
    <message>
        <source>Preset import failed !</source>
        <translation>Échec de l&apos;importation du preset !</translation>
    </message>
    <message>
        <source>TALIX Backup File</source>
        <translation>Fichier de sauvegarde TALIX</translation>
    </message>
</context>
</TS>
