<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>BatchInterpreter</name>
    <message>
        <source>a single % names a variable, which is not supported here (write %% for a %); line skipped: %1</source>
        <translation>ein einzelnes % bezeichnet eine Variable, was hier nicht unterstützt wird (für ein % schreiben Sie %%); Zeile übersprungen: %1</translation>
    </message>
    <message>
        <source>unknown command, line skipped: %1</source>
        <translation>unbekannter Befehl, Zeile übersprungen: %1</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>cd: the folder &quot;%1&quot; does not exist; the renames up to the next cd are skipped</source>
        <translation>cd: der Ordner „%1“ existiert nicht; die Umbenennungen bis zum nächsten cd werden übersprungen</translation>
    </message>
    <message>
        <source>rename needs exactly two names, the file&apos;s and its new one</source>
        <translation>rename braucht genau zwei Namen, den der Datei und ihren neuen</translation>
    </message>
    <message>
        <source>could not rename &quot;%1&quot; to &quot;%2&quot;: </source>
        <translation>„%1“ konnte nicht in „%2“ umbenannt werden: </translation>
    </message>
    <message>
        <source>the folder of the last cd does not exist</source>
        <translation>der Ordner des letzten cd existiert nicht</translation>
    </message>
    <message>
        <source>the new name must not hold a folder</source>
        <translation>der neue Name darf keinen Ordner enthalten</translation>
    </message>
    <message>
        <source>the name must be a file of the current folder, without a folder part</source>
        <translation>der Name muss eine Datei des aktuellen Ordners sein, ohne Ordnerteil</translation>
    </message>
</context>
<context>
    <name>BatchScript</name>
    <message>
        <source>holds a double quote</source>
        <translation>enthält ein doppeltes Anführungszeichen</translation>
    </message>
    <message>
        <source>holds a line break</source>
        <translation>enthält einen Zeilenumbruch</translation>
    </message>
    <message>
        <source>holds a character that the script&apos;s code page cannot write</source>
        <translation>enthält ein Zeichen, das die Codepage des Skripts nicht schreiben kann</translation>
    </message>
    <message>
        <source>The rename script cannot be written: </source>
        <translation>Das Umbenennungsskript kann nicht geschrieben werden: </translation>
    </message>
    <message>
        <source>The rename script cannot be written: the list of current names is shorter than the list of new names.</source>
        <translation>Das Umbenennungsskript kann nicht geschrieben werden: die Liste der aktuellen Namen ist kürzer als die Liste der neuen Namen.</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; %2.</source>
        <translation>der Ordner „%1“ %2.</translation>
    </message>
    <message>
        <source>the name of the file &quot;%1&quot; %2.</source>
        <translation>der Name der Datei „%1“ %2.</translation>
    </message>
    <message>
        <source>the new name &quot;%1&quot; of the file &quot;%2&quot; %3.</source>
        <translation>der neue Name „%1“ der Datei „%2“ %3.</translation>
    </message>
    <message>
        <source>its text cannot be encoded.</source>
        <translation>sein Text lässt sich nicht kodieren.</translation>
    </message>
    <message>
        <source>The batch file &quot;%1&quot; could not be written: %2</source>
        <translation>Die Skriptdatei „%1“ konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>FileSource</name>
    <message>
        <source>No Disk was found on drive %1</source>
        <translation>Im Laufwerk %1 wurde kein Datenträger gefunden</translation>
    </message>
    <message>
        <source>No folder at position %1 of the folder list.</source>
        <translation>An Position %1 der Ordnerliste steht kein Ordner.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; cannot be read: %2</source>
        <translation>Der Ordner „%1“ kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>NameConflicts</name>
    <message>
        <source>This name cannot be used for a file: it is empty, &quot;.&quot; or &quot;..&quot;, holds a character the file system refuses, or is longer than 255 bytes.</source>
        <translation>Dieser Name kann für keine Datei verwendet werden: Er ist leer, „.“ oder „..“, enthält ein Zeichen, das das Dateisystem ablehnt, oder ist länger als 255 Bytes.</translation>
    </message>
    <message>
        <source>Another file is to get the same name; only the first of them can be renamed.</source>
        <translation>Eine andere Datei soll denselben Namen bekommen; nur die erste von ihnen kann umbenannt werden.</translation>
    </message>
    <message>
        <source>Another file still has this name when this file&apos;s turn comes; the rename will fail.</source>
        <translation>Eine andere Datei trägt diesen Namen noch, wenn diese Datei an der Reihe ist; das Umbenennen wird fehlschlagen.</translation>
    </message>
</context>
<context>
    <name>Platform</name>
    <message>
        <source>The script interpreter cannot be found.</source>
        <translation>Der Skript-Interpreter wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The script interpreter &quot;%1&quot; cannot be found or is not executable.</source>
        <translation>Der Skript-Interpreter „%1“ wurde nicht gefunden oder ist nicht ausführbar.</translation>
    </message>
    <message>
        <source>The script interpreter &quot;%1&quot; could not be started: %2</source>
        <translation>Der Skript-Interpreter „%1“ konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>The text editor &quot;%1&quot; could not be started: %2</source>
        <translation>Der Texteditor „%1“ konnte nicht gestartet werden: %2</translation>
    </message>
</context>
<context>
    <name>PrivateFolder</name>
    <message>
        <source>The folder &quot;%1&quot; could not be created.</source>
        <translation>Der Ordner „%1“ konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; could not be created: %2</source>
        <translation>Der Ordner „%1“ konnte nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; cannot be used: %2</source>
        <translation>Der Ordner „%1“ kann nicht verwendet werden: %2</translation>
    </message>
    <message>
        <source>it is not a plain folder</source>
        <translation>er ist kein gewöhnlicher Ordner</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; cannot be used: it is not a plain folder.</source>
        <translation>Der Ordner „%1“ kann nicht verwendet werden: Er ist kein gewöhnlicher Ordner.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; cannot be used: it belongs to another user.</source>
        <translation>Der Ordner „%1“ kann nicht verwendet werden: Er gehört einem anderen Benutzer.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; cannot be made private: %2</source>
        <translation>Der Ordner „%1“ kann nicht privat gemacht werden: %2</translation>
    </message>
</context>
<context>
    <name>RenameRun</name>
    <message>
        <source>Could not rename &quot;%1&quot; to &quot;%2&quot;: %3.</source>
        <translation>„%1“ konnte nicht in „%2“ umbenannt werden: %3.</translation>
    </message>
    <message>
        <source>Rename Finished!</source>
        <translation>Umbenennen beendet!</translation>
    </message>
    <message>
        <source>Finished Renaming Files</source>
        <translation>Die Dateien sind umbenannt</translation>
    </message>
    <message>
        <source>Rename status</source>
        <translation>Status der Umbenennung</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
</context>
<context>
    <name>SafeRename</name>
    <message>
        <source>the file does not exist in the folder</source>
        <translation>die Datei ist nicht im Ordner vorhanden</translation>
    </message>
    <message>
        <source>a file of the new name already exists in the folder</source>
        <translation>im Ordner gibt es schon eine Datei mit dem neuen Namen</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>the change of case failed: %1</source>
        <translation>die Änderung der Groß-/Kleinschreibung ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>the change of case failed (%1) and the file is left under the name &quot;%2&quot;</source>
        <translation>die Änderung der Groß-/Kleinschreibung ist fehlgeschlagen (%1), und die Datei bleibt unter dem Namen „%2“</translation>
    </message>
    <message>
        <source>the file system did not keep the new case</source>
        <translation>das Dateisystem hat die neue Groß-/Kleinschreibung nicht übernommen</translation>
    </message>
    <message>
        <source>the name is empty</source>
        <translation>der Name ist leer</translation>
    </message>
    <message>
        <source>the name &quot;%1&quot; holds a folder separator &quot;/&quot;</source>
        <translation>der Name „%1“ enthält einen Ordnertrenner „/“</translation>
    </message>
    <message>
        <source>the name holds a NUL character</source>
        <translation>der Name enthält ein NUL-Zeichen</translation>
    </message>
    <message>
        <source>the new name is refused: %1</source>
        <translation>der neue Name wird abgelehnt: %1</translation>
    </message>
</context>
<context>
    <name>TextEditor</name>
    <message>
        <source>No text editor was found to open &quot;%1&quot;: the desktop names no application for plain text (xdg-mime), and none of %2 is installed.</source>
        <translation>Es wurde kein Texteditor gefunden, um „%1“ zu öffnen: Der Desktop nennt keine Anwendung für einfachen Text (xdg-mime), und keiner von %2 ist installiert.</translation>
    </message>
</context>
<context>
    <name>quillet-batch</name>
    <message>
        <source>usage: quillet-batch SCRIPT
Runs the cd and rename lines of a rename script written by Quillet.
A rename never replaces an existing file.</source>
        <translation>Aufruf: quillet-batch SKRIPT
Führt die cd- und rename-Zeilen eines von Quillet geschriebenen Umbenennungsskripts aus.
Eine Umbenennung ersetzt nie eine vorhandene Datei.</translation>
    </message>
    <message>
        <source>Options:
  -h, --help     show this help and exit
  -v, --version  show the version and exit
Exit status: 0 when every line succeeded, 1 when any failed, 2 when the script cannot be read.</source>
        <translation>Optionen:
  -h, --help     diese Hilfe zeigen und beenden
  -v, --version  die Version zeigen und beenden
Rückgabewert: 0, wenn jede Zeile gelang, 1, wenn eine fehlschlug, 2, wenn das Skript nicht gelesen werden kann.</translation>
    </message>
    <message>
        <source>quillet-batch: cannot read &quot;%1&quot;: %2</source>
        <translation>quillet-batch: „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>quillet-batch: &quot;%1&quot; is not UTF-8 text</source>
        <translation>quillet-batch: „%1“ ist kein UTF-8-Text</translation>
    </message>
</context>
<context>
    <name>quillet::Form1</name>
    <message>
        <source>Search and Replace Finished</source>
        <translation>Suchen und Ersetzen beendet</translation>
    </message>
    <message>
        <source>Search and Replace status</source>
        <translation>Status von Suchen und Ersetzen</translation>
    </message>
    <message>
        <source>Quillet v 1.00 10032002 (Ombrel)</source>
        <translation>Quillet v 1.00 10032002 (Ombrel)</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Endung</translation>
    </message>
    <message>
        <source>Search and Replace</source>
        <translation>Suchen und Ersetzen</translation>
    </message>
    <message>
        <source>Search String</source>
        <translation>Suchtext</translation>
    </message>
    <message>
        <source>Replace String</source>
        <translation>Ersetzen durch</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;Anwenden</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Vorlage</translation>
    </message>
    <message>
        <source>Specify a template to use for renaming files</source>
        <translation>Eine Vorlage zum Umbenennen der Dateien verwenden</translation>
    </message>
    <message>
        <source>* Use #&apos;s to specify postions used by numeric enumerator.</source>
        <translation>* #-Zeichen geben die Stellen der laufenden Nummer an.</translation>
    </message>
    <message>
        <source>* Use * to insert original filename in pattern.</source>
        <translation>* Ein * fügt den ursprünglichen Dateinamen ein.</translation>
    </message>
    <message>
        <source>Template:</source>
        <translation>Vorlage:</translation>
    </message>
    <message>
        <source>Start at:</source>
        <translation>Start bei:</translation>
    </message>
    <message>
        <source>Filename Case</source>
        <translation>Groß-/Kleinschreibung</translation>
    </message>
    <message>
        <source>No change</source>
        <translation>Keine Änderung</translation>
    </message>
    <message>
        <source>filename to lowercase</source>
        <translation>Dateiname in Kleinbuchstaben</translation>
    </message>
    <message>
        <source>extension to lowercase</source>
        <translation>Endung in Kleinbuchstaben</translation>
    </message>
    <message>
        <source>filename &amp; extension to lowercase</source>
        <translation>Dateiname &amp; Endung in Kleinbuchstaben</translation>
    </message>
    <message>
        <source>filename to UPPERCASE</source>
        <translation>Dateiname in GROSSBUCHSTABEN</translation>
    </message>
    <message>
        <source>extension to UPPERCASE</source>
        <translation>Endung in GROSSBUCHSTABEN</translation>
    </message>
    <message>
        <source>filename &amp; extension to UPPERCASE</source>
        <translation>Dateiname &amp; Endung in GROSSBUCHSTABEN</translation>
    </message>
    <message>
        <source>capitalize initial letter</source>
        <translation>Anfangsbuchstaben groß</translation>
    </message>
    <message>
        <source>Old Name</source>
        <translation>Alter Name</translation>
    </message>
    <message>
        <source>New Name</source>
        <translation>Neuer Name</translation>
    </message>
    <message>
        <source>&amp;Batch File</source>
        <translation>&amp;Skriptdatei</translation>
    </message>
    <message>
        <source>Spaces</source>
        <translation>Leerzeichen</translation>
    </message>
    <message>
        <source>No Change</source>
        <translation>Unverändert</translation>
    </message>
    <message>
        <source>No Redundant</source>
        <translation>Keine doppelten</translation>
    </message>
    <message>
        <source>No Space</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Method </source>
        <translation>Methode </translation>
    </message>
    <message>
        <source>Shell</source>
        <translation>Shell</translation>
    </message>
    <message>
        <source>API(slow)</source>
        <translation>API(träge)</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>File Count:</source>
        <translation>Dateien:</translation>
    </message>
</context>
</TS>
