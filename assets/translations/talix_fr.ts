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
        <source>Connected</source>
        <translation>Connecté</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Déconnecté</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Mise à jour</translation>
    </message>
    <message>
        <source>Factory reset</source>
        <translation>Réinitialisation d&apos;usine</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Dark Mode</source>
        <translation>Mode sombre</translation>
    </message>
    <message>
        <source>Light Mode</source>
        <translation>Mode clair</translation>
    </message>
    <message>
        <source>Firmware Update</source>
        <translation>Mise à jour du firmware</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Mise à jour du logiciel</translation>
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
        <source>Do you really want to reset the database? Device needs to be restart!</source>
        <translation>Voulez-vous vraiment réinitialiser la base de données ? L&apos;appareil devra être redémarré !</translation>
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
        <source>Level</source>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>Latency</source>
        <translation>Latence</translation>
    </message>
    <message>
        <source>Low-Cut</source>
        <translation>Coupe-bas</translation>
    </message>
    <message>
        <source>High-Cut</source>
        <translation>Coupe-haut</translation>
    </message>
    <message>
        <source>DIGITAL</source>
        <translation>NUMÉRIQUE</translation>
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
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>CAB A(Left)</source>
        <translation>CAB A (gauche)</translation>
    </message>
    <message>
        <source>CAB B(Right)</source>
        <translation>CAB B (droite)</translation>
    </message>
    <message>
        <source>Device data backup successful.</source>
        <translation>Sauvegarde des données de l&apos;appareil réussie.</translation>
    </message>
    <message>
        <source>CABINET TYPE</source>
        <translation>TYPE DE BAFFLE</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>Select one or more files to open</source>
        <translation>Sélectionnez un ou plusieurs fichiers à ouvrir</translation>
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
        <source>COMPUTER</source>
        <translation>ORDINATEUR</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>Open this directory</source>
        <translation>Ouvrir ce dossier</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>already exists</source>
        <translation>existe déjà</translation>
    </message>
    <message>
        <source>TALIX Backup File</source>
        <translation>Fichier de sauvegarde TALIX</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Chargement...</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Mise à jour…</translation>
    </message>
    <message>
        <source>not a WAVE or GIR file</source>
        <translation>n’est pas un fichier WAVE ou GIR</translation>
    </message>
    <message>
        <source>unsupported format</source>
        <translation>format non pris en charge</translation>
    </message>
    <message>
        <source>damaged or truncated</source>
        <translation>endommagé ou tronqué</translation>
    </message>
    <message>
        <source>could not be opened</source>
        <translation>impossible à ouvrir</translation>
    </message>
    <message>
        <source>These files were not imported:</source>
        <translation>Ces fichiers n’ont pas été importés :</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Échec</translation>
    </message>
    <message>
        <source>The pedal did not answer. Check the USB cable, unplug the pedal and plug it in again, then start the updater again.</source>
        <translation>La pédale n’a pas répondu. Vérifiez le câble USB, débranchez puis rebranchez la pédale et relancez la mise à jour.</translation>
    </message>
    <message>
        <source>The pedal refused to begin the update. Unplug the pedal and plug it in again, then start the updater again.</source>
        <translation>La pédale a refusé de commencer la mise à jour. Débranchez puis rebranchez la pédale et relancez la mise à jour.</translation>
    </message>
    <message>
        <source>The pedal stopped taking the firmware. Unplug the pedal and plug it in again, then start the updater again to repeat the update.</source>
        <translation>La pédale a cessé de recevoir le firmware. Débranchez puis rebranchez la pédale et relancez la mise à jour pour la recommencer.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sauvegarder</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>Backup File</source>
        <translation>Fichier de sauvegarde</translation>
    </message>
    <message>
        <source>Restore...%1%...</source>
        <translation>Restauration...%1%...</translation>
    </message>
    <message>
        <source>Backuping...%1%...</source>
        <translation>Sauvegarde...%1%...</translation>
    </message>
    <message>
        <source>Backup failed,Please try again.</source>
        <translation>Échec de la sauvegarde, veuillez réessayer.</translation>
    </message>
    <message>
        <source>Device data restore successful.</source>
        <translation>Restauration des données de l&apos;appareil réussie.</translation>
    </message>
    <message>
        <source>Restore failed,Please try again.</source>
        <translation>Échec de la restauration, veuillez réessayer.</translation>
    </message>
    <message>
        <source>Adding Ir...%1%...</source>
        <translation>Ajout d&apos;IR...%1%...</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ouvrir le dossier</translation>
    </message>
    <message>
        <source>Update the pedal with &quot;%1&quot;? The pedal restarts into its update mode; keep it plugged in until the updater says it has finished.</source>
        <translation>Mettre à jour la pédale avec «&#xa0;%1&#xa0;»&#xa0;? La pédale redémarre dans son mode de mise à jour&#xa0;; laissez-la branchée jusqu’à ce que la mise à jour indique qu’elle est terminée.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; cannot be read by this user.</source>
        <translation>Le fichier de firmware «&#xa0;%1&#xa0;» ne peut pas être lu par cet utilisateur.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is too short or cut off.</source>
        <translation>Le fichier de firmware «&#xa0;%1&#xa0;» est trop court ou tronqué.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is not a firmware image.</source>
        <translation>Le fichier «&#xa0;%1&#xa0;» n’est pas une image de firmware.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is made for another pedal.</source>
        <translation>Le fichier de firmware «&#xa0;%1&#xa0;» est destiné à une autre pédale.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; holds no firmware to write.</source>
        <translation>Le fichier de firmware «&#xa0;%1&#xa0;» ne contient aucun firmware à écrire.</translation>
    </message>
    <message>
        <source>The firmware file &quot;%1&quot; is damaged: a section does not end on a whole block.</source>
        <translation>Le fichier de firmware «&#xa0;%1&#xa0;» est endommagé&#xa0;: une section ne se termine pas sur un bloc entier.</translation>
    </message>
    <message>
        <source>No usable firmware file (*.zv) was found. Put the firmware file into the folder &quot;%1&quot;.</source>
        <translation>Aucun fichier de firmware utilisable (*.zv) n’a été trouvé. Placez le fichier de firmware dans le dossier «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Fichier&#xa0;: %1</translation>
    </message>
    <message>
        <source>The pedal now runs the new firmware.</source>
        <translation>La pédale fonctionne maintenant avec le nouveau firmware.</translation>
    </message>
    <message>
        <source>Writing the firmware — keep the pedal plugged in and this window open.</source>
        <translation>Écriture du firmware — laissez la pédale branchée et cette fenêtre ouverte.</translation>
    </message>
    <message>
        <source>The pedal is being updated. If you close now it stays in its update mode until you run the update again. Close anyway?</source>
        <translation>La pédale est en cours de mise à jour. Si vous fermez maintenant, elle reste en mode de mise à jour jusqu’à ce que vous relanciez la mise à jour. Fermer quand même&#xa0;?</translation>
    </message>
    <message>
        <source>Replace it, close this window and start the updater again.</source>
        <translation>Remplacez-le, fermez cette fenêtre et relancez la mise à jour.</translation>
    </message>
    <message>
        <source>The pedal did not accept the new firmware. Unplug it, plug it in again and run the update again.</source>
        <translation>La pédale n’a pas accepté le nouveau firmware. Débranchez-la, rebranchez-la et relancez la mise à jour.</translation>
    </message>
    <message>
        <source>Then press Start.</source>
        <translation>Puis appuyez sur «&#xa0;Démarrer&#xa0;».</translation>
    </message>
    <message>
        <source>The pedal is plugged in, but this user may not open it. Install the TALIX package (its rule gives the person at the computer access), then unplug the pedal and plug it in again.</source>
        <translation>La pédale est branchée, mais cet utilisateur n’a pas le droit de l’ouvrir. Installez le paquet TALIX (sa règle donne l’accès à la personne devant l’ordinateur), puis débranchez et rebranchez la pédale.</translation>
    </message>
    <message>
        <source>Another program is using the pedal. Close other TALIX or TALIXUpdate windows (also those of other users on this computer), then connect again.</source>
        <translation>Un autre programme utilise la pédale. Fermez les autres fenêtres TALIX ou TALIXUpdate (y compris celles des autres utilisateurs de cet ordinateur), puis connectez-vous à nouveau.</translation>
    </message>
    <message>
        <source>A driver of the system holds the pedal and does not let it go. Unplug the pedal, plug it in again and connect again.</source>
        <translation>Un pilote du système retient la pédale et ne la libère pas. Débranchez puis rebranchez la pédale et connectez-vous à nouveau.</translation>
    </message>
    <message>
        <source>The device on USB 0483:5703 answered as &quot;%1&quot;, not as a TALIX pedal.</source>
        <translation>L’appareil sur USB 0483:5703 a répondu en tant que «&#xa0;%1&#xa0;», et non comme une pédale TALIX.</translation>
    </message>
    <message>
        <source>The pedal did not answer. Unplug it, plug it in again and connect again.</source>
        <translation>La pédale n’a pas répondu. Débranchez-la, rebranchez-la et connectez-vous à nouveau.</translation>
    </message>
    <message>
        <source>USB is not available to TALIX here (%1). Run it outside the sandbox or container, or give it access to USB devices.</source>
        <translation>L’USB n’est pas disponible pour TALIX ici (%1). Lancez-le hors du bac à sable ou du conteneur, ou donnez-lui accès aux périphériques USB.</translation>
    </message>
    <message>
        <source>The pedal is plugged in, but this user may not open it. Install the TALIX package, then unplug the pedal, plug it in again and start the updater again.</source>
        <translation>La pédale est branchée, mais cet utilisateur n’a pas le droit de l’ouvrir. Installez le paquet TALIX, débranchez puis rebranchez la pédale et relancez la mise à jour.</translation>
    </message>
    <message>
        <source>Another program is using the pedal. Close other TALIX or TALIXUpdate windows (also those of other users on this computer), then start the updater again.</source>
        <translation>Un autre programme utilise la pédale. Fermez les autres fenêtres TALIX ou TALIXUpdate (y compris celles des autres utilisateurs de cet ordinateur), puis relancez la mise à jour.</translation>
    </message>
    <message>
        <source>A driver of the system holds the pedal and does not let it go. Unplug the pedal, plug it in again and start the updater again.</source>
        <translation>Un pilote du système retient la pédale et ne la libère pas. Débranchez puis rebranchez la pédale et relancez la mise à jour.</translation>
    </message>
    <message>
        <source>The pedal&apos;s device is %1.</source>
        <translation>Le périphérique de la pédale est %1.</translation>
    </message>
    <message>
        <source>no free slot</source>
        <translation>aucun emplacement libre</translation>
    </message>
    <message>
        <source>the connection to the pedal was lost</source>
        <translation>la connexion à la pédale a été perdue</translation>
    </message>
    <message>
        <source>the import was stopped</source>
        <translation>l’importation a été arrêtée</translation>
    </message>
    <message>
        <source>the pedal stopped answering</source>
        <translation>la pédale ne répond plus</translation>
    </message>
    <message>
        <source>The import stopped at %1: %2.</source>
        <translation>L’importation s’est arrêtée à %1 : %2.</translation>
    </message>
    <message>
        <source>The slot names are read again when the pedal is connected.</source>
        <translation>Les noms des emplacements seront relus à la connexion de la pédale.</translation>
    </message>
    <message>
        <source>Files (%1)</source>
        <translation>Fichiers (%1)</translation>
    </message>
    <message>
        <source>Only %1 of the %2 files fit from slot %3 on (the pedal has 11 slots). Import the first %1?</source>
        <translation>Seuls %1 des %2 fichiers tiennent à partir de l’emplacement %3 (la pédale a 11 emplacements). Importer les %1 premiers ?</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>le fichier est vide</translation>
    </message>
    <message>
        <source>too short for a preset file</source>
        <translation>trop court pour un fichier de preset</translation>
    </message>
    <message>
        <source>not a preset file</source>
        <translation>pas un fichier de preset</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be renamed to &apos;%2&apos;: %3</source>
        <translation>Impossible de renommer &apos;%1&apos; en &apos;%2&apos; : %3</translation>
    </message>
    <message>
        <source>These files were not added:</source>
        <translation>Ces fichiers n’ont pas été ajoutés :</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be moved to the trash. Delete it for good?</source>
        <translation>&apos;%1&apos; ne peut pas être placé dans la corbeille. Le supprimer définitivement ?</translation>
    </message>
    <message>
        <source>%1 preset files cannot be moved to the trash. Delete them for good?</source>
        <translation>%1 fichiers de preset ne peuvent pas être placés dans la corbeille. Les supprimer définitivement ?</translation>
    </message>
    <message>
        <source>These files were not deleted:</source>
        <translation>Ces fichiers n’ont pas été supprimés :</translation>
    </message>
    <message>
        <source>no free file name is left</source>
        <translation>plus aucun nom de fichier libre</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be saved: %2</source>
        <translation>Impossible d’enregistrer &apos;%1&apos; : %2</translation>
    </message>
    <message>
        <source>a file of that name already exists</source>
        <translation>un fichier de ce nom existe déjà</translation>
    </message>
    <message>
        <source>A backup is reading the pedal&apos;s memory. Wait until it has finished, then close TALIX.</source>
        <translation>Une sauvegarde lit la mémoire de la pédale. Attendez qu’elle soit terminée, puis fermez TALIX.</translation>
    </message>
    <message>
        <source>A restore is writing the pedal&apos;s memory. Wait until it has finished, then close TALIX.</source>
        <translation>Une restauration écrit la mémoire de la pédale. Attendez qu’elle soit terminée, puis fermez TALIX.</translation>
    </message>
    <message>
        <source>An IR import is writing to the pedal. Wait until it has finished, then close TALIX.</source>
        <translation>Une importation d’IR écrit sur la pédale. Attendez qu’elle soit terminée, puis fermez TALIX.</translation>
    </message>
    <message>
        <source>A factory reset is restarting the pedal. Wait until it has finished, then close TALIX.</source>
        <translation>Une réinitialisation d’usine redémarre la pédale. Attendez qu’elle soit terminée, puis fermez TALIX.</translation>
    </message>
    <message>
        <source>TALIXUpdate could not be started from &quot;%1&quot;. Reinstall TALIX.</source>
        <translation>TALIXUpdate n’a pas pu être démarré depuis «&#xa0;%1&#xa0;». Réinstallez TALIX.</translation>
    </message>
    <message>
        <source>No udev rule for USB 0483:5703 is installed.</source>
        <translation>Aucune règle udev pour USB 0483:5703 n’est installée.</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Raccourcis clavier</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab: next or previous control</source>
        <translation>Tab, Maj+Tab : élément suivant ou précédent</translation>
    </message>
    <message>
        <source>Space, Enter: press a button or switch</source>
        <translation>Espace, Entrée : actionner un bouton ou un interrupteur</translation>
    </message>
    <message>
        <source>Dials: Left or Down -1, Right or Up +1, Page Down or Page Up -10 or +10, Home or End to the minimum or maximum</source>
        <translation>Boutons rotatifs : Gauche ou Bas -1, Droite ou Haut +1, Page suiv. ou Page préc. -10 ou +10, Début ou Fin au minimum ou au maximum</translation>
    </message>
    <message>
        <source>Menus and choosers: Space, Enter or Down opens, the arrows move, Enter chooses, Escape closes</source>
        <translation>Menus et listes de choix : Espace, Entrée ou Bas ouvre, les flèches déplacent, Entrée choisit, Échap ferme</translation>
    </message>
    <message>
        <source>Presets: Left and Right move, Space or Enter chooses; Ctrl+S saves the current preset</source>
        <translation>Presets : Gauche et Droite déplacent, Espace ou Entrée choisit ; Ctrl+S enregistre le preset actuel</translation>
    </message>
    <message>
        <source>Lists: Up and Down move, Shift+Up and Shift+Down extend the selection, Space adds or removes a row</source>
        <translation>Listes : Haut et Bas déplacent, Maj+Haut et Maj+Bas étendent la sélection, Espace ajoute ou retire une ligne</translation>
    </message>
    <message>
        <source>Lists: Enter, the menu key or Shift+F10 opens the row&apos;s menu, Delete deletes, F2 renames a preset file</source>
        <translation>Listes : Entrée, la touche menu ou Maj+F10 ouvre le menu de la ligne, Suppr supprime, F2 renomme un fichier de preset</translation>
    </message>
    <message>
        <source>Prompts: Enter takes the default button, Escape closes</source>
        <translation>Messages : Entrée choisit le bouton par défaut, Échap ferme</translation>
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
        <translation>Interrupteur %1</translation>
    </message>
    <message>
        <source>%1 cabinet</source>
        <translation>Baffle %1</translation>
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
        <translation>Valeur de %1</translation>
    </message>
    <message>
        <source>Slot %1, %2</source>
        <translation>Emplacement %1, %2</translation>
    </message>
    <message>
        <source>used by CAB A</source>
        <translation>utilisé par CAB A</translation>
    </message>
    <message>
        <source>used by CAB B</source>
        <translation>utilisé par CAB B</translation>
    </message>
    <message>
        <source>used by CAB A and CAB B</source>
        <translation>utilisé par CAB A et CAB B</translation>
    </message>
    <message>
        <source>Firmware update progress</source>
        <translation>Progression de la mise à jour du firmware</translation>
    </message>
    <message>
        <source>TALIX Update</source>
        <translation>Mise à jour TALIX</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S: save the current preset as a file in the computer&apos;s preset list</source>
        <translation>Ctrl+Maj+S : enregistrer le preset actuel comme fichier dans la liste des presets de l&apos;ordinateur</translation>
    </message>
</context>
</TS>
