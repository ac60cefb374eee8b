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
    <message>
        <source>the last line has no line end, so the script may have been cut short; line skipped: %1</source>
        <translation>die letzte Zeile hat kein Zeilenende, das Skript ist also vielleicht abgeschnitten; Zeile übersprungen: %1</translation>
    </message>
    <message>
        <source>the script ends here (%1)</source>
        <translation>das Skript endet hier (%1)</translation>
    </message>
    <message>
        <source>a double quote is not closed, so a name may have been cut; line skipped: %1</source>
        <translation>ein doppeltes Anführungszeichen ist nicht geschlossen, ein Name ist also vielleicht abgeschnitten; Zeile übersprungen: %1</translation>
    </message>
    <message>
        <source>only &quot;|| exit /b 1&quot; may follow a cd; line skipped</source>
        <translation>auf ein cd darf nur „|| exit /b 1“ folgen; Zeile übersprungen</translation>
    </message>
    <message>
        <source>cd: the folder &quot;%1&quot; does not exist; the script ends here</source>
        <translation>cd: der Ordner „%1“ existiert nicht; das Skript endet hier</translation>
    </message>
    <message>
        <source>could not rename &quot;%1&quot; to &quot;%2&quot;: %3</source>
        <translation>„%1“ konnte nicht in „%2“ umbenannt werden: %3</translation>
    </message>
    <message>
        <source>a name is empty</source>
        <translation>ein Name ist leer</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names a folder, not a file</source>
        <translation>„%1“ bezeichnet einen Ordner, keine Datei</translation>
    </message>
    <message>
        <source>it failed</source>
        <translation>es ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>the line is longer than %1 bytes; line skipped</source>
        <translation>die Zeile ist länger als %1 Bytes; Zeile übersprungen</translation>
    </message>
    <message>
        <source>the line is not UTF-8 text; line skipped</source>
        <translation>die Zeile ist kein UTF-8-Text; Zeile übersprungen</translation>
    </message>
    <message>
        <source>cd: %1 The script ends here.</source>
        <translation>cd: %1 Das Skript endet hier.</translation>
    </message>
    <message>
        <source>cd: %1 The renames up to the next cd are skipped.</source>
        <translation>cd: %1 Die Umbenennungen bis zum nächsten cd werden übersprungen.</translation>
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
        <source>the name of the file &quot;%1&quot;: %2.</source>
        <translation>der Name der Datei „%1“: %2.</translation>
    </message>
    <message>
        <source>the new name &quot;%1&quot; of the file &quot;%2&quot;: %3.</source>
        <translation>der neue Name „%1“ der Datei „%2“: %3.</translation>
    </message>
    <message>
        <source>The batch file &quot;%1&quot; could not be written: %2.</source>
        <translation>Die Skriptdatei „%1“ konnte nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>holds bytes that are not UTF-8 text (shown as \xNN), which the script cannot carry; rename it with the API method</source>
        <translation>enthält Bytes, die kein UTF-8-Text sind (als \xNN gezeigt), die das Skript nicht wiedergeben kann; benennen Sie die Datei mit der API-Methode um</translation>
    </message>
    <message>
        <source>Rows the script cannot hold: %1. Delete these rows, or choose API(slow).</source>
        <translation>Zeilen, die das Skript nicht aufnehmen kann: %1. Löschen Sie diese Zeilen, oder wählen Sie API(träge).</translation>
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
        <source>This name cannot be used for a file: it is empty, &quot;.&quot; or &quot;..&quot;, holds a character the file system refuses, or is longer than the file system allows.</source>
        <translation>Dieser Name kann für keine Datei verwendet werden: Er ist leer, „.“ oder „..“, enthält ein Zeichen, das das Dateisystem ablehnt, oder ist länger, als das Dateisystem erlaubt.</translation>
    </message>
    <message>
        <source>This name cannot be used for a file: %1.</source>
        <translation>Dieser Name kann für keine Datei verwendet werden, denn %1.</translation>
    </message>
    <message>
        <source>Another file still has this name when this file&apos;s turn comes; the rename will fail.</source>
        <translation>Eine andere Datei trägt diesen Namen noch, wenn diese Datei an der Reihe ist; das Umbenennen wird fehlschlagen.</translation>
    </message>
    <message>
        <source>Another file is to get the same name; only one of them can be renamed.</source>
        <translation>Eine andere Datei soll denselben Namen bekommen; nur eine von ihnen kann umbenannt werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; (row %2) is renamed to this name first: renaming &quot;%3&quot; will be refused.</source>
        <translation>„%1“ (Zeile %2) wird zuerst in diesen Namen umbenannt: Das Umbenennen von „%3“ wird abgelehnt werden.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; (row %2) is renamed later, so it still has this name when this file&apos;s turn comes: renaming &quot;%3&quot; will be refused.</source>
        <translation>Die Datei „%1“ (Zeile %2) wird später umbenannt, trägt diesen Namen also noch, wenn diese Datei an der Reihe ist: Das Umbenennen von „%3“ wird abgelehnt werden.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; (row %2) keeps this name: renaming &quot;%3&quot; will be refused.</source>
        <translation>Die Datei „%1“ (Zeile %2) behält diesen Namen: Das Umbenennen von „%3“ wird abgelehnt werden.</translation>
    </message>
    <message>
        <source>A file that is not in the list has this name: renaming &quot;%1&quot; will be refused.</source>
        <translation>Eine Datei, die nicht in der Liste steht, trägt diesen Namen: Das Umbenennen von „%1“ wird abgelehnt werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; (row %2) is to get the same name: this file is renamed to &quot;%3&quot;, and renaming &quot;%1&quot; will be refused.</source>
        <translation>„%1“ (Zeile %2) soll denselben Namen bekommen: Diese Datei wird in „%3“ umbenannt, und das Umbenennen von „%1“ wird abgelehnt werden.</translation>
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
        <source>The text editor &quot;%1&quot; could not be started: %2</source>
        <translation>Der Texteditor „%1“ konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>The local application data folder is unknown.</source>
        <translation>Der lokale Anwendungsdatenordner ist unbekannt.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The script &quot;%1&quot; was not run: %2.</source>
        <translation>Das Skript „%1“ wurde nicht ausgeführt: %2.</translation>
    </message>
    <message>
        <source>The command interpreter cannot be found.</source>
        <translation>Der Befehlsinterpreter wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The command interpreter &quot;%1&quot; could not be started: %2</source>
        <translation>Der Befehlsinterpreter „%1“ konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>The command interpreter stopped before the end of the script.</source>
        <translation>Der Befehlsinterpreter hat vor dem Ende des Skripts aufgehört.</translation>
    </message>
    <message>
        <source>The output of the command interpreter stopped matching the script at line %1; what it did from there on is not known.</source>
        <translation>Die Ausgabe des Befehlsinterpreters passt ab Zeile %1 nicht mehr zum Skript; was er von dort an getan hat, ist nicht bekannt.</translation>
    </message>
    <message>
        <source>there was no such file</source>
        <translation>es gab keine solche Datei</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; cannot be locked for the run: %2.</source>
        <translation>Der Ordner „%1“ kann für den Lauf nicht gesperrt werden: %2.</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>er ist kein Ordner</translation>
    </message>
    <message>
        <source>it is not a plain folder</source>
        <translation>er ist kein gewöhnlicher Ordner</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>er gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>The lock folder &quot;%1&quot; cannot be used: %2.</source>
        <translation>Der Sperrordner „%1“ kann nicht verwendet werden: %2.</translation>
    </message>
    <message>
        <source>Another rename run in the folder &quot;%1&quot; is still going on. Try again when it has finished.</source>
        <translation>Im Ordner „%1“ läuft noch ein anderer Umbenennungslauf. Versuchen Sie es erneut, wenn er beendet ist.</translation>
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
    <message>
        <source>The folder &quot;%1&quot; cannot be used: its mode is not 0700 (owner only).</source>
        <translation>Der Ordner „%1“ kann nicht verwendet werden: Seine Rechte sind nicht 0700 (nur der Besitzer).</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; cannot be used: it holds &quot;%2&quot;, which Quillet did not put there. Remove that entry and try again.</source>
        <translation>Der Ordner „%1“ kann nicht verwendet werden: Er enthält „%2“, was Quillet nicht dort abgelegt hat. Entfernen Sie diesen Eintrag und versuchen Sie es erneut.</translation>
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
    <message>
        <source>Do not show further errors of this run</source>
        <translation>Keine weiteren Fehler dieses Laufs anzeigen</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 Datei</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 Dateien</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>the interpreter did not reach this pair</source>
        <translation>der Interpreter hat dieses Paar nicht erreicht</translation>
    </message>
    <message>
        <source>&quot;%1&quot; -&gt; &quot;%2&quot;: %3</source>
        <translation>„%1“ -&gt; „%2“: %3</translation>
    </message>
    <message>
        <source>%1 of %2 were not renamed.</source>
        <translation>%1 von %2 wurden nicht umbenannt.</translation>
    </message>
    <message>
        <source>For each: %1.</source>
        <translation>Bei allen: %1.</translation>
    </message>
    <message>
        <source>The first: &quot;%1&quot; -&gt; &quot;%2&quot;: %3.</source>
        <translation>Der erste Fehler: „%1“ -&gt; „%2“: %3.</translation>
    </message>
    <message>
        <source>Every failure is listed in the details.</source>
        <translation>Die Details führen jeden Fehler auf.</translation>
    </message>
    <message>
        <source>Undo Last Rename (%1)</source>
        <translation>Letzte Umbenennung rückgängig machen (%1)</translation>
    </message>
    <message>
        <source>Undo Last Rename</source>
        <translation>Letzte Umbenennung rückgängig machen</translation>
    </message>
    <message>
        <source>Give %1 back the names they had before the last run?</source>
        <translation>%1 die Namen zurückgeben, die sie vor dem letzten Lauf hatten?</translation>
    </message>
    <message>
        <source>another file has taken this name since the run</source>
        <translation>eine andere Datei hat diesen Namen seit dem Lauf übernommen</translation>
    </message>
    <message>
        <source>the file is no longer there under this name</source>
        <translation>die Datei ist unter diesem Namen nicht mehr vorhanden</translation>
    </message>
    <message>
        <source>%1 got their old names back.</source>
        <translation>Die alten Namen sind wiederhergestellt: %1.</translation>
    </message>
    <message>
        <source>%1 of %2 got their old names back. %3 skipped: they are no longer where the run left them, or their old names are taken now. The details list them.</source>
        <translation>%1 von %2 haben ihre alten Namen zurück. %3 übersprungen: Sie sind nicht mehr dort, wo der Lauf sie hinterlassen hat, oder ihre alten Namen sind inzwischen vergeben. Die Details führen sie auf.</translation>
    </message>
    <message>
        <source>%1 already exists in %2. Replace it?</source>
        <translation>%1 gibt es in %2 schon. Ersetzen?</translation>
    </message>
    <message>
        <source>the folder is no longer the one listed</source>
        <translation>der Ordner ist nicht mehr der aufgelistete</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; is no longer the folder that was listed: it was moved, or replaced by another folder or a link. Nothing more was renamed there; open the folder again.</source>
        <translation>Der Ordner „%1“ ist nicht mehr der aufgelistete Ordner: Er wurde verschoben oder durch einen anderen Ordner oder eine Verknüpfung ersetzt. Dort wurde nichts mehr umbenannt; öffnen Sie den Ordner erneut.</translation>
    </message>
    <message>
        <source>The rename run in %1 was interrupted after %2 of %3 files. Give those %2 files their old names back?</source>
        <translation>Der Umbenennungslauf in %1 wurde nach %2 von %3 Dateien unterbrochen. Sollen diese %2 Dateien ihre alten Namen zurückbekommen?</translation>
    </message>
</context>
<context>
    <name>RunJournal</name>
    <message>
        <source>The journal of the run &quot;%1&quot; cannot be written: %2. Nothing was renamed.</source>
        <translation>Das Journal des Laufs „%1“ kann nicht geschrieben werden: %2. Nichts wurde umbenannt.</translation>
    </message>
    <message>
        <source>The journal folder &quot;%1&quot; cannot be used: %2. Nothing was renamed.</source>
        <translation>Der Journalordner „%1“ kann nicht verwendet werden: %2. Nichts wurde umbenannt.</translation>
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
        <source>it is empty</source>
        <translation>er ist leer</translation>
    </message>
    <message>
        <source>it holds &quot;%1&quot;, which separates folders</source>
        <translation>er enthält „%1“, das Ordner trennt</translation>
    </message>
    <message>
        <source>it holds a NUL character, which no file system takes</source>
        <translation>er enthält ein NUL-Zeichen, das kein Dateisystem annimmt</translation>
    </message>
    <message>
        <source>the new name &quot;%1&quot; is refused: %2</source>
        <translation>der neue Name „%1“ wird abgelehnt: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; stands for a folder, not a file</source>
        <translation>„%1“ steht für einen Ordner, nicht für eine Datei</translation>
    </message>
    <message>
        <source>the name &quot;%1&quot; is refused: %2</source>
        <translation>der Name „%1“ wird abgelehnt: %2</translation>
    </message>
    <message>
        <source>it holds %1, which this file system refuses</source>
        <translation>er enthält %1, das dieses Dateisystem ablehnt</translation>
    </message>
    <message>
        <source>it ends in a dot, which this file system drops</source>
        <translation>er endet auf einen Punkt, den dieses Dateisystem weglässt</translation>
    </message>
    <message>
        <source>it ends in a space, which this file system drops</source>
        <translation>er endet auf ein Leerzeichen, das dieses Dateisystem weglässt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a device name, which this file system reserves</source>
        <translation>„%1“ ist ein Gerätename, den dieses Dateisystem reserviert</translation>
    </message>
    <message>
        <source>it is %1 characters long, and this file system takes at most %2 characters</source>
        <translation>er ist %1 Zeichen lang, und dieses Dateisystem nimmt höchstens %2 Zeichen an</translation>
    </message>
    <message>
        <source>it is %1 bytes long, and this file system takes at most %2 bytes</source>
        <translation>er ist %1 Bytes lang, und dieses Dateisystem nimmt höchstens %2 Bytes an</translation>
    </message>
    <message>
        <source>the control character %1</source>
        <translation>das Steuerzeichen %1</translation>
    </message>
</context>
<context>
    <name>ScriptProcess</name>
    <message>
        <source>The log &quot;%1&quot; is a link; it was not used and the run was not started.</source>
        <translation>Das Protokoll „%1“ ist ein Link; es wurde nicht verwendet, und der Lauf wurde nicht gestartet.</translation>
    </message>
    <message>
        <source>The log &quot;%1&quot; cannot be written: %2</source>
        <translation>Das Protokoll „%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The log &quot;%1&quot; is not a plain file of yours; the run was not started.</source>
        <translation>Das Protokoll „%1“ ist keine gewöhnliche Datei von Ihnen; der Lauf wurde nicht gestartet.</translation>
    </message>
    <message>
        <source>A rename run started earlier is still going on. Nothing was started; try again when it has finished.</source>
        <translation>Ein früher gestarteter Umbenennungslauf ist noch im Gange. Es wurde nichts gestartet; versuchen Sie es erneut, wenn er beendet ist.</translation>
    </message>
    <message>
        <source>The log &quot;%1&quot; cannot be locked: %2</source>
        <translation>Das Protokoll „%1“ kann nicht gesperrt werden: %2</translation>
    </message>
    <message>
        <source>The log &quot;%1&quot; cannot be emptied: %2</source>
        <translation>Das Protokoll „%1“ kann nicht geleert werden: %2</translation>
    </message>
    <message>
        <source>The script interpreter &quot;%1&quot; could not be started: %2</source>
        <translation>Der Skript-Interpreter „%1“ konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>The script interpreter stopped before the end of the script.</source>
        <translation>Der Skript-Interpreter hat vor dem Ende des Skripts aufgehört.</translation>
    </message>
    <message>
        <source>The script interpreter ended with code %1.</source>
        <translation>Der Skript-Interpreter endete mit dem Code %1.</translation>
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
        <source>quillet-batch: cannot read &quot;%1&quot;: %2</source>
        <translation>quillet-batch: „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>usage: quillet-batch [--report] SCRIPT
Runs the cd and rename lines of a rename script written by Quillet (SCRIPT - reads it from standard input).
A rename never replaces an existing file.</source>
        <translation>Aufruf: quillet-batch [--report] SKRIPT
Führt die cd- und rename-Zeilen eines von Quillet geschriebenen Umbenennungsskripts aus (SKRIPT - liest es von der Standardeingabe).
Eine Umbenennung ersetzt nie eine vorhandene Datei.</translation>
    </message>
    <message>
        <source>Options:
  --report       one record per line on standard output, for the program that watches the run
  --folder-identity ID  a cd to any folder but the one of this identity (device:inode, given by the program) fails
  -h, --help     show this help and exit
  -v, --version  show the version and exit
Exit status: 0 when every line succeeded, 1 when any failed, 2 when the script cannot be read.</source>
        <translation>Optionen:
  --report       ein Datensatz je Zeile auf der Standardausgabe, für das Programm, das den Lauf verfolgt
  --folder-identity ID  ein cd in einen anderen Ordner als den dieser Kennung (Gerät:Inode, vom Programm übergeben) schlägt fehl
  -h, --help     diese Hilfe zeigen und beenden
  -v, --version  die Version zeigen und beenden
Rückgabewert: 0, wenn jede Zeile gelang, 1, wenn eine fehlschlug, 2, wenn das Skript nicht gelesen werden kann.</translation>
    </message>
    <message>
        <source>(standard input)</source>
        <translation>(Standardeingabe)</translation>
    </message>
    <message>
        <source>%1: line %2: %3</source>
        <translation>%1: Zeile %2: %3</translation>
    </message>
    <message>
        <source>quillet-batch: reading &quot;%1&quot; failed: %2</source>
        <translation>quillet-batch: Das Lesen von „%1“ ist fehlgeschlagen: %2</translation>
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
        <translation>An&amp;wenden</translation>
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
    <message>
        <source>Drive</source>
        <translation>Laufwerk</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Start at</source>
        <translation>Start bei</translation>
    </message>
    <message>
        <source>Start at, up or down by one</source>
        <translation>Start bei, um eins höher oder niedriger</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>The previous rename run is still going on. Nothing was started; try again when it has finished.</source>
        <translation>Der vorige Umbenennungslauf ist noch im Gange. Es wurde nichts gestartet; versuchen Sie es erneut, wenn er beendet ist.</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
</context>
<context>
    <name>quillet::NamePairsModel</name>
    <message>
        <source>The Shell method cannot carry out this rename: %1 Delete this row, or choose API(slow).</source>
        <translation>Die Methode Shell kann diese Umbenennung nicht ausführen: %1 Löschen Sie diese Zeile, oder wählen Sie API(träge).</translation>
    </message>
</context>
<context>
    <name>quillet::RunController</name>
    <message>
        <source>The Shell method on this system does not tell which files it renamed, so its run cannot be undone.</source>
        <translation>Die Methode Shell meldet auf diesem System nicht, welche Dateien sie umbenannt hat; ihr Lauf kann daher nicht rückgängig gemacht werden.</translation>
    </message>
</context>
</TS>
