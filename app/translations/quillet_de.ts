<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Form1</name>
    <message>
        <source>Quillet - By Brindle_Ox (https://brindle-ox.example) </source>
        <translation>Quillet - von Brindle_Ox (https://brindle-ox.example) </translation>
    </message>
    <message>
        <source>Replace each space with an underscore instead of removing it</source>
        <translation>Ersetzt jedes Leerzeichen durch einen Unterstrich, statt es zu entfernen</translation>
    </message>
    <message>
        <source>Replace with &amp;Underscore</source>
        <translation>Mit &amp;Unterstrich ersetzen</translation>
    </message>
    <message>
        <source>New names</source>
        <translation>Neue Namen</translation>
    </message>
    <message>
        <source>The new names of the files that Remove Spaces renamed</source>
        <translation>Die neuen Namen der Dateien, die „Leerzeichen entfernen“ umbenannt hat</translation>
    </message>
    <message>
        <source>Pattern</source>
        <translation>Muster</translation>
    </message>
    <message>
        <source>Which files are listed, such as *.JPG; several patterns may be joined with ;</source>
        <translation>Welche Dateien aufgeführt werden, etwa *.JPG; mehrere Muster lassen sich mit ; verbinden</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Laufwerk</translation>
    </message>
    <message>
        <source>The drive whose folders are listed</source>
        <translation>Das Laufwerk, dessen Ordner aufgeführt werden</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>The open folder, the folders above it and the folders in it; Enter or a double click opens one</source>
        <translation>Der geöffnete Ordner, die Ordner darüber und die Ordner darin; die Eingabetaste oder ein Doppelklick öffnet einen</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>The files of the open folder that match the pattern: Remove Spaces renames these</source>
        <translation>Die Dateien des geöffneten Ordners, die zum Muster passen: „Leerzeichen entfernen“ benennt diese um</translation>
    </message>
    <message>
        <source>Renames every listed file so that its name holds no spaces</source>
        <translation>Benennt jede aufgeführte Datei so um, dass ihr Name keine Leerzeichen enthält</translation>
    </message>
    <message>
        <source>&amp;Remove Spaces</source>
        <translation>Leerzeichen &amp;entfernen</translation>
    </message>
    <message>
        <source>Pattern:</source>
        <translation>Muster:</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>An unexpected error stopped the action.</source>
        <translation>Ein unerwarteter Fehler hat die Aktion abgebrochen.</translation>
    </message>
    <message>
        <source>the system gave no reason</source>
        <translation>das System nannte keinen Grund</translation>
    </message>
    <message>
        <source>a file named &quot;%1&quot; already exists</source>
        <translation>eine Datei namens „%1“ gibt es bereits</translation>
    </message>
    <message>
        <source>the file no longer exists</source>
        <translation>die Datei gibt es nicht mehr</translation>
    </message>
    <message>
        <source>permission was denied</source>
        <translation>die Berechtigung wurde verweigert</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>das Dateisystem ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the new name is too long</source>
        <translation>der neue Name ist zu lang</translation>
    </message>
    <message>
        <source>the new name is not valid here</source>
        <translation>der neue Name ist hier nicht zulässig</translation>
    </message>
    <message>
        <source>the new name would be empty, as the name is made only of spaces</source>
        <translation>der neue Name wäre leer, da der Name nur aus Leerzeichen besteht</translation>
    </message>
    <message>
        <source>the new name would start with a dot, which hides the file</source>
        <translation>der neue Name würde mit einem Punkt beginnen, was die Datei verbirgt</translation>
    </message>
    <message>
        <source>Windows programs could neither open nor delete a file whose name ends in a dot</source>
        <translation>Windows-Programme könnten eine Datei, deren Name auf einen Punkt endet, weder öffnen noch löschen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a device name that Windows reserves</source>
        <translation>„%1“ ist ein Gerätename, den Windows reserviert</translation>
    </message>
    <message>
        <source>the file is in use</source>
        <translation>die Datei wird gerade verwendet</translation>
    </message>
    <message>
        <source>there is no space left on the drive</source>
        <translation>auf dem Laufwerk ist kein Platz mehr frei</translation>
    </message>
    <message>
        <source>Could not rename &quot;%1&quot; to &quot;%2&quot;: %3.</source>
        <translation>„%1“ konnte nicht in „%2“ umbenannt werden: %3.</translation>
    </message>
    <message>
        <source>it no longer exists</source>
        <translation>es gibt ihn nicht mehr</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>das ist kein Ordner</translation>
    </message>
    <message>
        <source>you do not have permission to read it</source>
        <translation>Sie haben keine Berechtigung, ihn zu lesen</translation>
    </message>
    <message>
        <source>the current folder, which it is relative to, cannot be found</source>
        <translation>der aktuelle Ordner, auf den er sich bezieht, ist nicht zu finden</translation>
    </message>
    <message>
        <source>its name is not valid UTF-8</source>
        <translation>sein Name ist kein gültiges UTF-8</translation>
    </message>
    <message>
        <source>Could not read the folder &quot;%1&quot;: %2.</source>
        <translation>Der Ordner „%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>No file was renamed.</source>
        <translation>Keine Datei wurde umbenannt.</translation>
    </message>
    <message>
        <source>This file was left as it was.</source>
        <translation>Diese Datei blieb unverändert.</translation>
    </message>
    <message>
        <source>%1

Renaming stopped at this file. %2 %3</source>
        <translation>%1

Das Umbenennen hielt bei dieser Datei an. %2 %3</translation>
    </message>
    <message>
        <source>an earlier renaming has renamed it already; opening the folder again or changing the pattern lists the new names</source>
        <translation>eine frühere Umbenennung hat sie bereits umbenannt; erneutes Öffnen des Ordners oder ein anderes Muster listet die neuen Namen auf</translation>
    </message>
    <message>
        <source>the full path of the new name, folders included, is too long</source>
        <translation>der vollständige Pfad des neuen Namens, samt seinen Ordnern, ist zu lang</translation>
    </message>
    <message>
        <source>Renaming was stopped.

%1 %2</source>
        <translation>Das Umbenennen wurde angehalten.

%1 %2</translation>
    </message>
    <message>
        <source>No file got its old name back.</source>
        <translation>Keine Datei hat ihren alten Namen zurückbekommen.</translation>
    </message>
    <message>
        <source>This file keeps its new name.</source>
        <translation>Diese Datei behält ihren neuen Namen.</translation>
    </message>
    <message>
        <source>Undoing the renaming was stopped.

%1 %2</source>
        <translation>Das Rückgängigmachen des Umbenennens wurde angehalten.

%1 %2</translation>
    </message>
    <message>
        <source>%1

Undoing stopped at this file. %2 %3</source>
        <translation>%1

Das Rückgängigmachen hielt bei dieser Datei an. %2 %3</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>another file has taken the name &quot;%1&quot; since it was renamed; that file is left alone</source>
        <translation>eine andere Datei hat den Namen „%1“ übernommen, seit er vergeben wurde; sie bleibt unangetastet</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) renamed and listed.</source>
        <translation>
            <numerusform>%n Datei wurde umbenannt und ist aufgeführt.</numerusform>
            <numerusform>%n Dateien wurden umbenannt und sind aufgeführt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) held no spaces and kept their names; listed.</source>
        <translation>
            <numerusform>%n Datei enthielt kein Leerzeichen und behielt ihren Namen; sie ist aufgeführt.</numerusform>
            <numerusform>%n Dateien enthielten keine Leerzeichen und behielten ihre Namen; sie sind aufgeführt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 and %2; all %n are listed.</source>
        <translation>
            <numerusform>%1 und %2; sie ist aufgeführt.</numerusform>
            <numerusform>%1 und %2; alle %n sind aufgeführt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) renamed</source>
        <translation>
            <numerusform>%n Datei wurde umbenannt</numerusform>
            <numerusform>%n Dateien wurden umbenannt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n kept their names</source>
        <translation>
            <numerusform>%n behielt ihren Namen</numerusform>
            <numerusform>%n behielten ihre Namen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) left as they were.</source>
        <translation>
            <numerusform>%n Datei blieb unverändert.</numerusform>
            <numerusform>%n Dateien blieben unverändert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>This file and the %n file(s) after it were left as they were.</source>
        <translation>
            <numerusform>Diese Datei und die Datei danach blieben unverändert.</numerusform>
            <numerusform>Diese Datei und die %n Dateien danach blieben unverändert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) got their old names back.</source>
        <translation>
            <numerusform>%n Datei hat ihren alten Namen zurückbekommen.</numerusform>
            <numerusform>%n Dateien haben ihre alten Namen zurückbekommen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The %n file(s) renamed after it got their old names back.</source>
        <translation>
            <numerusform>Die danach umbenannte Datei hat ihren alten Namen zurückbekommen.</numerusform>
            <numerusform>Die %n danach umbenannten Dateien haben ihre alten Namen zurückbekommen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) keep their new names.</source>
        <translation>
            <numerusform>%n Datei behält ihren neuen Namen.</numerusform>
            <numerusform>%n Dateien behalten ihre neuen Namen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>This file and the %n file(s) renamed before it keep their new names.</source>
        <translation>
            <numerusform>Diese Datei und die davor umbenannte Datei behalten ihre neuen Namen.</numerusform>
            <numerusform>Diese Datei und die %n davor umbenannten Dateien behalten ihre neuen Namen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Renaming %1 of %2:
%3</source>
        <translation>Umbenennen %1 von %2:
%3</translation>
    </message>
    <message>
        <source>Undoing %1 of %2:
%3</source>
        <translation>Rückgängig %1 von %2:
%3</translation>
    </message>
    <message>
        <source>Stopping once this file is done.</source>
        <translation>Hält an, sobald diese Datei fertig ist.</translation>
    </message>
    <message>
        <source>Waiting for this file: the file system is slow to answer.</source>
        <translation>Wartet auf diese Datei: das Dateisystem antwortet langsam.</translation>
    </message>
    <message>
        <source>Removes the spaces from the names of the files in a folder.</source>
        <translation>Entfernt die Leerzeichen aus den Namen der Dateien eines Ordners.</translation>
    </message>
    <message>
        <source>The folder to open; a file opens the folder that holds it.</source>
        <translation>Der zu öffnende Ordner; eine Datei öffnet den Ordner, der sie enthält.</translation>
    </message>
    <message>
        <source>Only one folder can be opened.</source>
        <translation>Es kann nur ein Ordner geöffnet werden.</translation>
    </message>
    <message>
        <source>FOLDER</source>
        <translation>ORDNER</translation>
    </message>
    <message>
        <source>Reading…</source>
        <translation>Wird gelesen …</translation>
    </message>
    <message>
        <source>The drive is not answering.</source>
        <translation>Das Laufwerk antwortet nicht.</translation>
    </message>
    <message>
        <source>The file now has both names, &quot;%1&quot; and &quot;%2&quot;; deleting either name leaves it under the other.</source>
        <translation>Die Datei hat jetzt beide Namen, „%1“ und „%2“; wird einer davon gelöscht, bleibt sie unter dem anderen.</translation>
    </message>
    <message>
        <source>An empty file named &quot;%1&quot;, made to claim the new name, could not be removed again; it can be deleted.</source>
        <translation>Eine leere Datei namens „%1“, die den neuen Namen belegen sollte, konnte nicht wieder entfernt werden; sie kann gelöscht werden.</translation>
    </message>
    <message numerus="yes">
        <source>The %n file(s) after it were left as they were.</source>
        <translation>
            <numerusform>Die Datei danach blieb unverändert.</numerusform>
            <numerusform>Die %n Dateien danach blieben unverändert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The %n file(s) renamed before it keep their new names.</source>
        <translation>
            <numerusform>Die davor umbenannte Datei behält ihren neuen Namen.</numerusform>
            <numerusform>Die %n davor umbenannten Dateien behalten ihre neuen Namen.</numerusform>
        </translation>
    </message>
    <message>
        <source>the drive did not read or write as asked (%1)</source>
        <translation>das Laufwerk hat nicht wie verlangt gelesen oder geschrieben (%1)</translation>
    </message>
    <message>
        <source>the file system cannot rename it where it lies (%1)</source>
        <translation>das Dateisystem kann sie an ihrem Ort nicht umbenennen (%1)</translation>
    </message>
    <message>
        <source>the system refused it (%1)</source>
        <translation>das System hat es abgelehnt (%1)</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>es gibt ihn nicht</translation>
    </message>
    <message>
        <source>%1 and %2; both are listed.</source>
        <translation>%1 und %2; beide sind aufgeführt.</translation>
    </message>
    <message>
        <source>Undoing the renaming in &quot;%1&quot; was stopped.

%2 %3</source>
        <translation>Das Rückgängigmachen des Umbenennens in „%1“ wurde angehalten.

%2 %3</translation>
    </message>
    <message>
        <source>%1

Undoing in &quot;%2&quot; stopped at this file. %3 %4</source>
        <translation>%1

Das Rückgängigmachen in „%2“ hielt bei dieser Datei an. %3 %4</translation>
    </message>
    <message>
        <source>&amp;Undo renaming</source>
        <translation>Umbenennen &amp;rückgängig machen</translation>
    </message>
    <message>
        <source>&amp;Undo renaming in &quot;%1&quot;</source>
        <translation>Umbenennen in „%1“ &amp;rückgängig machen</translation>
    </message>
</context>
<context>
    <name>quillet::Form1</name>
    <message>
        <source>The folder &quot;%1&quot; is shown instead.</source>
        <translation>Stattdessen wird der Ordner „%1“ gezeigt.</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
</context>
</TS>
