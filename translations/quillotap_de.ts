<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>FormMain</name>
    <message>
        <source>Recorder</source>
        <translation>Rekorder</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Hotkey</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Icon Mode</source>
        <translation>Symbolmodus</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>About Quillotap</source>
        <translation>Über Quillotap</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Ready to record</source>
        <translation>Bereit zur Aufnahme</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
</context>
<context>
    <name>FormatCatalogue</name>
    <message>
        <source>FLAC %1 Hz; Stereo; %2 bit; Level %3</source>
        <translation>FLAC %1 Hz; Stereo; %2 Bit; Stufe %3</translation>
    </message>
    <message>
        <source>Voice</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <source>OPUS %1 Hz; Stereo; %2 Kbps; %3</source>
        <translation>OPUS %1 Hz; Stereo; %2 kbit/s; %3</translation>
    </message>
</context>
<context>
    <name>Hotkeys</name>
    <message>
        <source>%1 (not assigned)</source>
        <translation>%1 (nicht zugewiesen)</translation>
    </message>
    <message>
        <source>There is no X11 display to read the keyboard from, and no desktop shortcut service is in use.</source>
        <translation>Es gibt keine X11-Anzeige, von der die Tastatur gelesen werden kann, und es wird kein Tastenkürzel-Dienst der Arbeitsumgebung verwendet.</translation>
    </message>
    <message>
        <source>In a Wayland session, keys pressed while another window has the focus do not reach this program.</source>
        <translation>In einer Wayland-Sitzung erreichen Tastendrücke dieses Programm nicht, solange ein anderes Fenster den Fokus hat.</translation>
    </message>
    <message>
        <source>System-wide hotkeys are switched off (QUILLOTAP_HOTKEYS=none).</source>
        <translation>Systemweite Tastenkürzel sind ausgeschaltet (QUILLOTAP_HOTKEYS=none).</translation>
    </message>
    <message>
        <source>Waiting for the desktop to set up the system-wide hotkeys...</source>
        <translation>Warten, bis die Arbeitsumgebung die systemweiten Tastenkürzel eingerichtet hat …</translation>
    </message>
    <message>
        <source>System-wide hotkeys do not work here. </source>
        <translation>Systemweite Tastenkürzel funktionieren hier nicht. </translation>
    </message>
    <message>
        <source>Bind these commands to keys in the desktop&apos;s keyboard settings instead:</source>
        <translation>Stattdessen diese Befehle in den Tastatureinstellungen Tasten zuweisen:</translation>
    </message>
    <message>
        <source>System-wide hotkeys do not work here: see the Hotkey page.</source>
        <translation>Systemweite Tastenkürzel funktionieren hier nicht: siehe Seite „Tastenkürzel“.</translation>
    </message>
</context>
<context>
    <name>LaunchAtStartup</name>
    <message>
        <source>Quillotap could not be set to start at login: %1.</source>
        <translation>Quillotap konnte nicht so eingerichtet werden, dass es bei der Anmeldung startet: %1.</translation>
    </message>
    <message>
        <source>Quillotap could not be removed from the programs started at login: %1. It will still start at login.</source>
        <translation>Quillotap konnte nicht aus den Programmen entfernt werden, die bei der Anmeldung starten: %1. Es startet weiterhin bei der Anmeldung.</translation>
    </message>
</context>
<context>
    <name>OpusEncoder</name>
    <message>
        <source>The Opus encoder could not be started.</source>
        <translation>Der Opus-Encoder konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The Opus encoder could not be started: %1</source>
        <translation>Der Opus-Encoder konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>The Opus encoder does not accept these settings.</source>
        <translation>Der Opus-Encoder akzeptiert diese Einstellungen nicht.</translation>
    </message>
    <message>
        <source>The Opus encoder failed.</source>
        <translation>Der Opus-Encoder ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The end of the Opus file could not be written.</source>
        <translation>Das Ende der Opus-Datei konnte nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>PageFiles</name>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Recordings</source>
        <translation>Aufnahmen</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Size(KB)</source>
        <translation>Größe (KB)</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Refresh the list</source>
        <translation>Liste neu laden</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Neu laden</translation>
    </message>
    <message>
        <source>Rename the file</source>
        <translation>Datei umbenennen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Benennen</translation>
    </message>
    <message>
        <source>Delete the file</source>
        <translation>Datei löschen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>File properties</source>
        <translation>Dateidetails</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Edit the ID3 tag</source>
        <translation>ID3-Tag bearbeiten</translation>
    </message>
    <message>
        <source>ID3 Tag</source>
        <translation>ID3-Tag</translation>
    </message>
    <message>
        <source>Convert the file</source>
        <translation>Datei umwandeln</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Umwandeln</translation>
    </message>
    <message>
        <source>File being played</source>
        <translation>Abgespielte Datei</translation>
    </message>
    <message>
        <source>Total playing time</source>
        <translation>Gesamte Spieldauer</translation>
    </message>
    <message>
        <source>Total: 00:00:00</source>
        <translation>Gesamt: 00:00:00</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Position:</source>
        <translation>Position:</translation>
    </message>
    <message>
        <source>Playing position</source>
        <translation>Abspielposition</translation>
    </message>
    <message>
        <source>Playback position</source>
        <translation>Wiedergabeposition</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause or continue</source>
        <translation>Pause oder fortsetzen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop playing</source>
        <translation>Wiedergabe stoppen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>Lautstärke:</translation>
    </message>
    <message>
        <source>Playing volume</source>
        <translation>Abspiellautstärke</translation>
    </message>
    <message>
        <source>Playback volume</source>
        <translation>Wiedergabelautstärke</translation>
    </message>
    <message>
        <source>Playback display</source>
        <translation>Wiedergabeanzeige</translation>
    </message>
    <message>
        <source>Choose a preset for the playback display</source>
        <translation>Voreinstellung für die Wiedergabeanzeige wählen</translation>
    </message>
    <message>
        <source>Playback display presets</source>
        <translation>Voreinstellungen der Wiedergabeanzeige</translation>
    </message>
</context>
<context>
    <name>PageHotkey</name>
    <message>
        <source>Hotkey</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>System-wide hotkeys</source>
        <translation>Systemweite Tastenkürzel</translation>
    </message>
    <message>
        <source>Hotkeys</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Funktion</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Hotkey editor</source>
        <translation>Tastenkürzel bearbeiten</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Taste</translation>
    </message>
    <message>
        <source>(key):</source>
        <translation>(Taste):</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Aktiviert</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Deaktiviert</translation>
    </message>
    <message>
        <source>Change the hotkey</source>
        <translation>Tastenkürzel ändern</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Ändern</translation>
    </message>
</context>
<context>
    <name>PageIconMode</name>
    <message>
        <source>Icon mode</source>
        <translation>Symbolmodus</translation>
    </message>
    <message>
        <source>Start icon mode</source>
        <translation>Symbolmodus starten</translation>
    </message>
    <message>
        <source>Start icon mode when minimize the main window</source>
        <translation>Symbolmodus starten, wenn das Hauptfenster minimiert wird</translation>
    </message>
    <message>
        <source>How to use icon mode</source>
        <translation>So nutzen Sie den Symbolmodus</translation>
    </message>
    <message>
        <source>Icon mode help</source>
        <translation>Hilfe zum Symbolmodus</translation>
    </message>
    <message>
        <source>1) Left click (click left button of the mouse) on the system tray icon to start/stop recording

2) Right click (click right button of the mouse) on the system tray icon to exit icon mode and open the main window.

3) You can still use Hotkey in the icon mode.</source>
        <translation>1) Linksklick (mit der linken Maustaste) auf das Symbol im Benachrichtigungsbereich startet/stoppt die Aufnahme.

2) Rechtsklick (mit der rechten Maustaste) auf das Symbol im Benachrichtigungsbereich beendet den Symbolmodus und öffnet das Hauptfenster.

3) Die Tastenkürzel funktionieren auch im Symbolmodus.</translation>
    </message>
    <message>
        <source>Ready icon</source>
        <translation>Symbol „Bereit“</translation>
    </message>
    <message>
        <source>Recording icon</source>
        <translation>Symbol „Aufnahme“</translation>
    </message>
</context>
<context>
    <name>PageOptions</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Recording limits</source>
        <translation>Aufnahmegrenzen</translation>
    </message>
    <message>
        <source>Stop at the size limit</source>
        <translation>Bei der Größengrenze stoppen</translation>
    </message>
    <message>
        <source>Stop recording when the output file reaches the size limitation:</source>
        <translation>Aufnahme stoppen, wenn die Ausgabedatei diese Größe erreicht:</translation>
    </message>
    <message>
        <source>Size limit in megabytes</source>
        <translation>Größengrenze in Megabyte</translation>
    </message>
    <message>
        <source>Megabytes</source>
        <translation>Megabyte</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>Stop at the time limit</source>
        <translation>Bei der Zeitgrenze stoppen</translation>
    </message>
    <message>
        <source>Stop recording when the output file reaches the time limitation:</source>
        <translation>Aufnahme stoppen, wenn die Ausgabedatei diese Dauer erreicht:</translation>
    </message>
    <message>
        <source>Time limit in seconds</source>
        <translation>Zeitgrenze in Sekunden</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Cue sounds</source>
        <translation>Signaltöne</translation>
    </message>
    <message>
        <source>Sounds</source>
        <translation>Töne</translation>
    </message>
    <message>
        <source>Start sound</source>
        <translation>Startton</translation>
    </message>
    <message>
        <source>Play sound when press hotkey to start recording</source>
        <translation>Signalton beim Starten per Tastenkürzel</translation>
    </message>
    <message>
        <source>Test the start sound</source>
        <translation>Startton testen</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Testen</translation>
    </message>
    <message>
        <source>Stop sound</source>
        <translation>Stoppton</translation>
    </message>
    <message>
        <source>Play sound when press hotkey to stop recording</source>
        <translation>Signalton beim Stoppen per Tastenkürzel</translation>
    </message>
    <message>
        <source>Test the stop sound</source>
        <translation>Stoppton testen</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Ausgabeordner</translation>
    </message>
    <message>
        <source>Browse for the output folder</source>
        <translation>Ausgabeordner durchsuchen</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen …</translation>
    </message>
    <message>
        <source>Launch at startup</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Starting a recording</source>
        <translation>Aufnahmebeginn</translation>
    </message>
    <message>
        <source>Keep the last</source>
        <translation>Die letzten</translation>
    </message>
    <message>
        <source>Keep the last seconds before a recording starts</source>
        <translation>Die letzten Sekunden vor dem Aufnahmebeginn behalten</translation>
    </message>
    <message>
        <source>seconds before a recording starts (the microphone stays open while this is on; the desktop&apos;s microphone indicator will show it)</source>
        <translation>Sekunden vor dem Aufnahmebeginn behalten (das Mikrofon bleibt geöffnet, solange dies eingeschaltet ist; die Mikrofonanzeige des Desktops zeigt es an)</translation>
    </message>
    <message>
        <source>Start on sound, stop after</source>
        <translation>Bei Ton starten, stoppen nach</translation>
    </message>
    <message>
        <source>Stop after seconds of silence</source>
        <translation>Nach Sekunden Stille stoppen</translation>
    </message>
    <message>
        <source>seconds of silence</source>
        <translation>Sekunden Stille</translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation>Schwelle:</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Schwelle</translation>
    </message>
    <message>
        <source>Input level</source>
        <translation>Eingangspegel</translation>
    </message>
</context>
<context>
    <name>PageRecorder</name>
    <message>
        <source>Recorder</source>
        <translation>Rekorder</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Gerät:</translation>
    </message>
    <message>
        <source>Input device</source>
        <translation>Eingangsgerät</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>Quelle:</translation>
    </message>
    <message>
        <source>Input source</source>
        <translation>Eingangsquelle</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Balance</translation>
    </message>
    <message>
        <source>Balance:</source>
        <translation>Balance:</translation>
    </message>
    <message>
        <source>Balance of the input source</source>
        <translation>Balance der Eingangsquelle</translation>
    </message>
    <message>
        <source>Input balance</source>
        <translation>Eingangsbalance</translation>
    </message>
    <message>
        <source>Preview input</source>
        <translation>Eingangsvorschau</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Ausgabeformat</translation>
    </message>
    <message>
        <source>Set format options</source>
        <translation>Formatoptionen einstellen</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Einstellen</translation>
    </message>
    <message>
        <source>Click to change the format options</source>
        <translation>Klicken, um die Formatoptionen zu ändern</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Recording volume of the input source</source>
        <translation>Aufnahmelautstärke der Eingangsquelle</translation>
    </message>
    <message>
        <source>Input volume</source>
        <translation>Eingangslautstärke</translation>
    </message>
    <message>
        <source>Input display</source>
        <translation>Eingangsanzeige</translation>
    </message>
    <message>
        <source>Choose a preset for the input display</source>
        <translation>Voreinstellung für die Eingangsanzeige wählen</translation>
    </message>
    <message>
        <source>Input display presets</source>
        <translation>Voreinstellungen der Eingangsanzeige</translation>
    </message>
    <message>
        <source>Elapsed time</source>
        <translation>Verstrichene Zeit</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Zeit:</translation>
    </message>
    <message>
        <source>File size</source>
        <translation>Dateigröße</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Output file</source>
        <translation>Ausgabedatei</translation>
    </message>
    <message>
        <source>File:</source>
        <translation>Datei:</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufnehmen</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Aufnahme stoppen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Play the last recording</source>
        <translation>Letzte Aufnahme abspielen</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
</context>
<context>
    <name>Registry</name>
    <message>
        <source>The settings could not be saved: %1.

Quillotap tries again when it closes.</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden: %1.

Quillotap versucht es beim Beenden erneut.</translation>
    </message>
</context>
<context>
    <name>quillotap::AtomicFile</name>
    <message>
        <source>Cannot create the folder</source>
        <translation>Fehler beim Anlegen des Ordners</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 ist kein Ordner</translation>
    </message>
    <message>
        <source>Cannot write</source>
        <translation>Fehler beim Schreiben von</translation>
    </message>
    <message>
        <source>Cannot set the permissions of</source>
        <translation>Fehler beim Setzen der Zugriffsrechte von</translation>
    </message>
    <message>
        <source>Cannot flush</source>
        <translation>Fehler beim Sichern von</translation>
    </message>
    <message>
        <source>Cannot replace</source>
        <translation>Fehler beim Ersetzen von</translation>
    </message>
</context>
<context>
    <name>quillotap::AudioFile</name>
    <message>
        <source>The file could not be written.</source>
        <translation>Die Datei konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The encoder could not be started.</source>
        <translation>Der Encoder konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; does not exist.</source>
        <translation>Die Datei „%1“ existiert nicht.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file.</source>
        <translation>„%1“ ist keine Datei.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be read.</source>
        <translation>Die Datei „%1“ kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is empty.</source>
        <translation>Die Datei „%1“ ist leer.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be read. %2</source>
        <translation>Die Datei „%1“ kann nicht gelesen werden. %2</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is damaged or not in a supported audio format.</source>
        <translation>Die Datei „%1“ ist beschädigt oder in keinem unterstützten Audioformat.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no known audio extension (mp3, wma, ogg, wav, vox, flac or opus).</source>
        <translation>„%1“ hat keine bekannte Audio-Endung (mp3, wma, ogg, wav, vox, flac oder opus).</translation>
    </message>
</context>
<context>
    <name>quillotap::AudioInformation</name>
    <message>
        <source>The file does not exist: %1</source>
        <translation>Die Datei existiert nicht: %1</translation>
    </message>
    <message>
        <source>The file cannot be read: %1</source>
        <translation>Die Datei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The file cannot be written: %1</source>
        <translation>Die Datei kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>The file cannot be opened: %1</source>
        <translation>Die Datei kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>The file is not an MP3 file: %1</source>
        <translation>Die Datei ist keine MP3-Datei: %1</translation>
    </message>
    <message>
        <source>The tag could not be written to %1</source>
        <translation>Das Tag konnte nicht in %1 geschrieben werden</translation>
    </message>
</context>
<context>
    <name>quillotap::AudioRecord</name>
    <message>
        <source>The recording input was lost.</source>
        <translation>Der Aufnahmeeingang ist verloren gegangen.</translation>
    </message>
    <message>
        <source>Unsupported recording format: %1 Hz, %2 channels.</source>
        <translation>Nicht unterstütztes Aufnahmeformat: %1 Hz, %2 Kanäle.</translation>
    </message>
    <message>
        <source>Invalid block size: %1.</source>
        <translation>Ungültige Blockgröße: %1.</translation>
    </message>
    <message>
        <source>The recording could not start.</source>
        <translation>Die Aufnahme konnte nicht beginnen.</translation>
    </message>
</context>
<context>
    <name>quillotap::ChromeButtons</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Visualization presets %1</source>
        <translation>Anzeige-Voreinstellungen %1</translation>
    </message>
</context>
<context>
    <name>quillotap::FfmpegDecoder</name>
    <message>
        <source>Out of memory.</source>
        <translation>Nicht genügend Arbeitsspeicher.</translation>
    </message>
    <message>
        <source>The file&apos;s format is not recognised.</source>
        <translation>Das Format der Datei wurde nicht erkannt.</translation>
    </message>
    <message>
        <source>The file holds no readable audio.</source>
        <translation>Die Datei enthält keinen lesbaren Ton.</translation>
    </message>
    <message>
        <source>The file holds no decodable audio.</source>
        <translation>Die Datei enthält keinen dekodierbaren Ton.</translation>
    </message>
    <message>
        <source>The audio cannot be decoded: %1</source>
        <translation>Der Ton kann nicht dekodiert werden: %1</translation>
    </message>
    <message>
        <source>The audio format is not supported.</source>
        <translation>Das Audioformat wird nicht unterstützt.</translation>
    </message>
</context>
<context>
    <name>quillotap::FfmpegLibrary</name>
    <message>
        <source>FFmpeg could not be loaded: %1</source>
        <translation>FFmpeg konnte nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>%1 fehlt</translation>
    </message>
</context>
<context>
    <name>quillotap::FfmpegSupport</name>
    <message>
        <source>error %1</source>
        <translation>Fehler %1</translation>
    </message>
</context>
<context>
    <name>quillotap::FileCommands</name>
    <message>
        <source>Rename file</source>
        <translation>Datei umbenennen</translation>
    </message>
    <message>
        <source>Delete file</source>
        <translation>Datei löschen</translation>
    </message>
    <message>
        <source>Please type a name for the file.</source>
        <translation>Bitte geben Sie einen Namen für die Datei ein.</translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character.</source>
        <translation>Ein Dateiname darf kein NUL-Zeichen enthalten.</translation>
    </message>
    <message>
        <source>A file name cannot contain &quot;/&quot;: the file stays in its folder.</source>
        <translation>Ein Dateiname darf kein „/“ enthalten: Die Datei bleibt in ihrem Ordner.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be used as a file name.</source>
        <translation>„%1“ kann nicht als Dateiname verwendet werden.</translation>
    </message>
    <message>
        <source>Please select the file to rename.</source>
        <translation>Bitte wählen Sie die Datei, die umbenannt werden soll.</translation>
    </message>
    <message>
        <source>The file - %1 is being recorded. It can be renamed when the recording has stopped.</source>
        <translation>In die Datei %1 wird gerade aufgenommen. Sie kann umbenannt werden, sobald die Aufnahme beendet ist.</translation>
    </message>
    <message>
        <source>Please input the new name for file - </source>
        <translation>Bitte geben Sie den neuen Namen ein für die Datei – </translation>
    </message>
    <message>
        <source>Cannot rename &quot;%1&quot; to &quot;%2&quot;: %3</source>
        <translation>„%1“ kann nicht in „%2“ umbenannt werden: %3</translation>
    </message>
    <message>
        <source>The file - %1 is being recorded. It can be deleted when the recording has stopped.</source>
        <translation>In die Datei %1 wird gerade aufgenommen. Sie kann gelöscht werden, sobald die Aufnahme beendet ist.</translation>
    </message>
    <message>
        <source>Delete file -&apos;</source>
        <translation>Datei löschen – &apos;</translation>
    </message>
    <message>
        <source>Cannot delete &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gelöscht werden: %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>quillotap::FileConverter</name>
    <message>
        <source>Can not read &quot;%1&quot;.
%2</source>
        <translation>„%1“ kann nicht gelesen werden.
%2</translation>
    </message>
    <message>
        <source>Can not create &quot;%1&quot;.
%2</source>
        <translation>„%1“ kann nicht erstellt werden.
%2</translation>
    </message>
    <message>
        <source>Can not write the converted file.
%1</source>
        <translation>Die umgewandelte Datei kann nicht geschrieben werden.
%1</translation>
    </message>
    <message>
        <source>The file holds no sound that can be read; it may be damaged.</source>
        <translation>Die Datei enthält keinen lesbaren Ton; sie ist vielleicht beschädigt.</translation>
    </message>
    <message>
        <source>A conversion is already running.</source>
        <translation>Es läuft bereits eine Umwandlung.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; already exists.</source>
        <translation>Die Datei „%1“ existiert bereits.</translation>
    </message>
    <message>
        <source>Can not replace &quot;%1&quot;.</source>
        <translation>„%1“ kann nicht ersetzt werden.</translation>
    </message>
</context>
<context>
    <name>quillotap::FileProperties</name>
    <message>
        <source>No session bus</source>
        <translation>Kein Sitzungsbus</translation>
    </message>
</context>
<context>
    <name>quillotap::FormAbout</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>quillotap::FormConvert</name>
    <message>
        <source>Converter</source>
        <translation>Konverter</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Nach</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Format description</source>
        <translation>Formatbeschreibung</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Umwandeln</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>Von:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>Nach:</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; already exists.
Do you want to replace it?</source>
        <translation>Die Datei „%1“ existiert bereits.
Möchten Sie sie ersetzen?</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be converted to &quot;%2&quot;.

%3</source>
        <translation>„%1“ konnte nicht in „%2“ umgewandelt werden.

%3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is shorter than its header says: it was probably cut off while it was being written. &quot;%2&quot; holds the part that could be read.</source>
        <translation>„%1“ ist kürzer, als ihr Dateikopf angibt: Sie wurde vermutlich beim Schreiben abgeschnitten. „%2“ enthält den lesbaren Teil.</translation>
    </message>
</context>
<context>
    <name>quillotap::FormFLAC</name>
    <message>
        <source>FLAC Option</source>
        <translation>FLAC-Optionen</translation>
    </message>
    <message>
        <source> Compression Level </source>
        <translation> Kompressionsstufe </translation>
    </message>
    <message>
        <source>Compression level</source>
        <translation>Kompressionsstufe</translation>
    </message>
    <message>
        <source> Bits Per Sample </source>
        <translation> Bits pro Abtastwert </translation>
    </message>
    <message>
        <source>16 Bit</source>
        <translation>16 Bit</translation>
    </message>
    <message>
        <source>24 Bit</source>
        <translation>24 Bit</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Level %1 (0 = fastest, 8 = smallest)</source>
        <translation>Stufe %1 (0 = am schnellsten, 8 = am kleinsten)</translation>
    </message>
</context>
<context>
    <name>quillotap::FormID3</name>
    <message>
        <source>ID3 Tag editor</source>
        <translation>ID3-Tag bearbeiten</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <source>Artists:</source>
        <translation>Interpreten:</translation>
    </message>
    <message>
        <source>Album:</source>
        <translation>Album:</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Genre:</source>
        <translation>Genre:</translation>
    </message>
    <message>
        <source>Year:</source>
        <translation>Jahr:</translation>
    </message>
    <message>
        <source>Track #:</source>
        <translation>Titelnr.:</translation>
    </message>
    <message>
        <source>Comment:</source>
        <translation>Kommentar:</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Can not find file - </source>
        <translation>Datei nicht gefunden – </translation>
    </message>
    <message>
        <source>Can not save the tag of - </source>
        <translation>Das Tag kann nicht gespeichert werden – </translation>
    </message>
</context>
<context>
    <name>quillotap::FormMP3</name>
    <message>
        <source> kbit</source>
        <translation> kbit</translation>
    </message>
    <message>
        <source>MP3 Option</source>
        <translation>MP3-Optionen</translation>
    </message>
    <message>
        <source>MP3 options</source>
        <translation>MP3-Optionen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Voreinstellung</translation>
    </message>
    <message>
        <source>ID3 Tag</source>
        <translation>ID3-Tag</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Bitrate</source>
        <translation>Bitrate</translation>
    </message>
    <message>
        <source>poor quality </source>
        <translation>geringe Qualität </translation>
    </message>
    <message>
        <source>good quality </source>
        <translation>gute Qualität </translation>
    </message>
    <message>
        <source>Encoder Quality</source>
        <translation>Encoder-Qualität</translation>
    </message>
    <message>
        <source>Sampling Frequency</source>
        <translation>Abtastfrequenz</translation>
    </message>
    <message>
        <source>Channels Mode</source>
        <translation>Kanalmodus</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>Joint Stereo</source>
        <translation>Joint Stereo</translation>
    </message>
    <message>
        <source>Forced Joint Stereo</source>
        <translation>Erzwungenes Joint Stereo</translation>
    </message>
    <message>
        <source>Dual Channels</source>
        <translation>Zwei Kanäle</translation>
    </message>
    <message>
        <source>Current bitrate: </source>
        <translation>Aktuelle Bitrate: </translation>
    </message>
    <message>
        <source>Encoder Quality: </source>
        <translation>Encoder-Qualität: </translation>
    </message>
    <message>
        <source>VBR Option</source>
        <translation>VBR-Option</translation>
    </message>
    <message>
        <source>No VBR</source>
        <translation>Kein VBR</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Old</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>VBR Option:</source>
        <translation>VBR-Option:</translation>
    </message>
    <message>
        <source>VBR Quality:</source>
        <translation>VBR-Qualität:</translation>
    </message>
    <message>
        <source>VBR Quality</source>
        <translation>VBR-Qualität</translation>
    </message>
    <message>
        <source>Targed bitrate for ABR:</source>
        <translation>Ziel-Bitrate für ABR:</translation>
    </message>
    <message>
        <source>Target bitrate for ABR</source>
        <translation>Ziel-Bitrate für ABR</translation>
    </message>
    <message>
        <source>Maximum VBR Bitrate</source>
        <translation>Maximale VBR-Bitrate</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Write VBR Header</source>
        <translation>VBR-Header schreiben</translation>
    </message>
    <message>
        <source>Strictly enforce minimum bitrate</source>
        <translation>Minimale Bitrate strikt einhalten</translation>
    </message>
    <message>
        <source>VBR Bitrate: </source>
        <translation>VBR-Bitrate: </translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <source>Artists:</source>
        <translation>Interpreten:</translation>
    </message>
    <message>
        <source>Album:</source>
        <translation>Album:</translation>
    </message>
    <message>
        <source>Year:</source>
        <translation>Jahr:</translation>
    </message>
    <message>
        <source>Track #:</source>
        <translation>Titelnr.:</translation>
    </message>
    <message>
        <source>Comment:</source>
        <translation>Kommentar:</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Genre:</source>
        <translation>Genre:</translation>
    </message>
</context>
<context>
    <name>quillotap::FileTools</name>
    <message>
        <source>Please select a mp3 file</source>
        <translation>Bitte wählen Sie eine MP3-Datei</translation>
    </message>
    <message>
        <source>This file is being recorded. Its tag can be edited once the recording has stopped.</source>
        <translation>In diese Datei wird gerade aufgenommen. Ihr Tag kann bearbeitet werden, sobald die Aufnahme beendet ist.</translation>
    </message>
    <message>
        <source>Please select a file to convert</source>
        <translation>Bitte wählen Sie eine Datei zum Umwandeln</translation>
    </message>
</context>
<context>
    <name>quillotap::FormMain</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Can not initialize sound device. If you started other sound recorder, please exit it before run this application</source>
        <translation>Das Audiogerät kann nicht geöffnet werden. Falls ein anderes Aufnahmeprogramm läuft, beenden Sie es bitte, bevor Sie dieses Programm starten.</translation>
    </message>
</context>
<context>
    <name>quillotap::FormOGG</name>
    <message>
        <source> Kbps</source>
        <translation> Kbps</translation>
    </message>
    <message>
        <source>OGG Option</source>
        <translation>OGG-Optionen</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Option</translation>
    </message>
    <message>
        <source>Bitrate</source>
        <translation>Bitrate</translation>
    </message>
    <message>
        <source>VBR Enabled</source>
        <translation>VBR aktiviert</translation>
    </message>
    <message>
        <source>Quality Enabled</source>
        <translation>Qualität aktiviert</translation>
    </message>
    <message>
        <source>Minimum bitrate</source>
        <translation>Minimale Bitrate</translation>
    </message>
    <message>
        <source>Maximum bitrate</source>
        <translation>Maximale Bitrate</translation>
    </message>
    <message>
        <source>Quality (Compression)</source>
        <translation>Qualität (Kompression)</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>Sampling Frequency</source>
        <translation>Abtastfrequenz</translation>
    </message>
    <message>
        <source>Channels Mode</source>
        <translation>Kanalmodus</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Current bitrate: </source>
        <translation>Aktuelle Bitrate: </translation>
    </message>
    <message>
        <source>Current min bitrate: </source>
        <translation>Aktuelle min. Bitrate: </translation>
    </message>
    <message>
        <source>Current max bitrate: </source>
        <translation>Aktuelle max. Bitrate: </translation>
    </message>
    <message>
        <source>Quality (Compression): </source>
        <translation>Qualität (Kompression): </translation>
    </message>
    <message>
        <source>Incorrect format</source>
        <translation>Ungültiges Format</translation>
    </message>
</context>
<context>
    <name>quillotap::FormOPUS</name>
    <message>
        <source>OPUS Option</source>
        <translation>OPUS-Optionen</translation>
    </message>
    <message>
        <source> Bitrate </source>
        <translation> Bitrate </translation>
    </message>
    <message>
        <source>Bitrate</source>
        <translation>Bitrate</translation>
    </message>
    <message>
        <source> Optimize For </source>
        <translation> Optimieren für </translation>
    </message>
    <message>
        <source>Voice</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Current bitrate: %1 Kbps</source>
        <translation>Aktuelle Bitrate: %1 kbit/s</translation>
    </message>
</context>
<context>
    <name>quillotap::FormProperties</name>
    <message>
        <source>1 (mono)</source>
        <translation>1 (Mono)</translation>
    </message>
    <message>
        <source>2 (stereo)</source>
        <translation>2 (Stereo)</translation>
    </message>
    <message>
        <source> (cannot be decoded%1)</source>
        <translation> (nicht dekodierbar%1)</translation>
    </message>
    <message>
        <source> Hz</source>
        <translation> Hz</translation>
    </message>
    <message>
        <source> kbit/s (average)</source>
        <translation> kbit/s (Durchschnitt)</translation>
    </message>
    <message>
        <source> bytes)</source>
        <translation> Bytes)</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Accessed</source>
        <translation>Letzter Zugriff</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Sample rate</source>
        <translation>Abtastrate</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Kanäle</translation>
    </message>
    <message>
        <source>Bitrate</source>
        <translation>Bitrate</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Titelnummer</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source> Properties</source>
        <translation> – Eigenschaften</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>ID3 tag</source>
        <translation>ID3-Tag</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine Angabe</translation>
    </message>
</context>
<context>
    <name>quillotap::FormWAV</name>
    <message>
        <source>WAV Option</source>
        <translation>WAV-Optionen</translation>
    </message>
    <message>
        <source> Frequency (Hz) </source>
        <translation> Frequenz (Hz) </translation>
    </message>
    <message>
        <source> Channels Mode </source>
        <translation> Kanalmodus </translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source> Bits Per Sample </source>
        <translation> Bits pro Abtastwert </translation>
    </message>
    <message>
        <source>8 Bit</source>
        <translation>8 Bit</translation>
    </message>
    <message>
        <source>16 Bit</source>
        <translation>16 Bit</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>quillotap::FormWMA</name>
    <message>
        <source> WMA Option</source>
        <translation> WMA-Optionen</translation>
    </message>
    <message>
        <source>WMA Option</source>
        <translation>WMA-Optionen</translation>
    </message>
    <message>
        <source>Presets:</source>
        <translation>Voreinstellungen:</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Voreinstellungen</translation>
    </message>
    <message>
        <source>Normal quality. Normal size.</source>
        <translation>Normale Qualität. Normale Größe.</translation>
    </message>
    <message>
        <source>Good quality. Small size. (default)</source>
        <translation>Gute Qualität. Kleine Datei. (Standard)</translation>
    </message>
    <message>
        <source>Poor quality. Very small size.</source>
        <translation>Geringe Qualität. Sehr kleine Datei.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>quillotap::FormatCatalogue</name>
    <message>
        <source>Quality - </source>
        <translation>Qualität - </translation>
    </message>
    <message>
        <source> Kbps</source>
        <translation> Kbps</translation>
    </message>
    <message>
        <source> Hz; </source>
        <translation> Hz; </translation>
    </message>
    <message>
        <source>Stereo; </source>
        <translation>Stereo; </translation>
    </message>
    <message>
        <source>Mono; </source>
        <translation>Mono; </translation>
    </message>
    <message>
        <source> bit</source>
        <translation> Bit</translation>
    </message>
    <message>
        <source>VOX Dialogic ADPCM 8,000 Hz; Mono; 4 bit</source>
        <translation>VOX Dialogic ADPCM 8.000 Hz; Mono; 4 Bit</translation>
    </message>
</context>
<context>
    <name>quillotap::GlobalShortcutsPortal</name>
    <message>
        <source>There is no D-Bus session bus to reach the desktop&apos;s shortcut service.</source>
        <translation>Es gibt keinen D-Bus-Sitzungsbus, über den der Tastenkürzel-Dienst der Arbeitsumgebung erreichbar wäre.</translation>
    </message>
    <message>
        <source>The desktop offers no global shortcut service (the GlobalShortcuts portal).</source>
        <translation>Die Arbeitsumgebung bietet keinen Dienst für globale Tastenkürzel (das GlobalShortcuts-Portal).</translation>
    </message>
    <message>
        <source>The desktop&apos;s shortcut service did not open a session%1.</source>
        <translation>Der Tastenkürzel-Dienst der Arbeitsumgebung hat keine Sitzung geöffnet%1.</translation>
    </message>
    <message>
        <source>The desktop&apos;s shortcut service refused the shortcuts: %1.</source>
        <translation>Der Tastenkürzel-Dienst der Arbeitsumgebung hat die Tastenkürzel abgelehnt: %1.</translation>
    </message>
</context>
<context>
    <name>quillotap::HelpBrowser</name>
    <message>
        <source>Quillotap Help</source>
        <translation>Quillotap-Hilfe</translation>
    </message>
</context>
<context>
    <name>quillotap::HotkeyEditor</name>
    <message>
        <source>This Hot key has already been used.</source>
        <translation>Dieses Tastenkürzel ist bereits vergeben.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>quillotap::HotkeyTable</name>
    <message>
        <source>Disabled</source>
        <translation>Deaktiviert</translation>
    </message>
    <message>
        <source>Start recording</source>
        <translation>Aufnahme starten</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Aufnahme stoppen</translation>
    </message>
    <message>
        <source>Turn sound volume up</source>
        <translation>Lautstärke erhöhen</translation>
    </message>
    <message>
        <source>Turn sound volume down</source>
        <translation>Lautstärke verringern</translation>
    </message>
    <message>
        <source>Turn volume on/off(mute)</source>
        <translation>Ton ein/aus (stumm)</translation>
    </message>
    <message>
        <source>(Stop recording and) Play the recorded file</source>
        <translation>Aufnahme (beenden und) abspielen</translation>
    </message>
    <message>
        <source>Enter/Exit Icon mode</source>
        <translation>Symbolmodus ein/aus</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Aktiviert</translation>
    </message>
    <message>
        <source> Hotkey for &apos;%1&apos; </source>
        <translation> Tastenkürzel für „%1“ </translation>
    </message>
</context>
<context>
    <name>quillotap::IconMode</name>
    <message>
        <source>Quillotap - Ready to record</source>
        <translation>Quillotap - Bereit zur Aufnahme</translation>
    </message>
    <message>
        <source>Quillotap - Recording</source>
        <translation>Quillotap - Aufnahme läuft</translation>
    </message>
    <message>
        <source>Left click to start/stop recording.
Right click to exit icon mode</source>
        <translation>Linksklick startet/stoppt die Aufnahme.
Rechtsklick beendet den Symbolmodus</translation>
    </message>
    <message>
        <source>No notification area found: the window was minimized instead of hidden. Restore it from the taskbar or with the icon-mode hotkey.</source>
        <translation>Kein Benachrichtigungsbereich gefunden: Das Fenster wurde minimiert statt ausgeblendet. Holen Sie es über die Taskleiste oder mit dem Tastenkürzel für den Symbolmodus zurück.</translation>
    </message>
</context>
<context>
    <name>quillotap::MP3Lame</name>
    <message>
        <source>Phone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <source>Voice</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Kassette</translation>
    </message>
    <message>
        <source>Studio</source>
        <translation>Studio</translation>
    </message>
</context>
<context>
    <name>quillotap::Mp3Encoder</name>
    <message>
        <source>The MP3 encoder failed (error %1).</source>
        <translation>Der MP3-Encoder ist fehlgeschlagen (Fehler %1).</translation>
    </message>
    <message>
        <source>The MP3 encoder could not be started.</source>
        <translation>Der MP3-Encoder konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The MP3 encoder does not accept these settings.</source>
        <translation>Der MP3-Encoder akzeptiert diese Einstellungen nicht.</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>Joint Stereo</source>
        <translation>Joint Stereo</translation>
    </message>
    <message>
        <source>Forced Joint Stereo</source>
        <translation>Forced Joint Stereo</translation>
    </message>
    <message>
        <source>Dual Channels</source>
        <translation>Zwei Kanäle</translation>
    </message>
    <message>
        <source>MP3 %1 kHz; </source>
        <translation>MP3 %1 kHz; </translation>
    </message>
    <message>
        <source>Mono; </source>
        <translation>Mono; </translation>
    </message>
    <message>
        <source>%1 Kbps; </source>
        <translation>%1 Kbps; </translation>
    </message>
    <message>
        <source>ABR %1 Kbps; </source>
        <translation>ABR %1 Kbps; </translation>
    </message>
    <message>
        <source>Quality %1; %2-%3 Kbps; </source>
        <translation>Qualität %1; %2-%3 Kbps; </translation>
    </message>
</context>
<context>
    <name>quillotap::OutputFile</name>
    <message>
        <source>The disk is full.</source>
        <translation>Der Datenträger ist voll.</translation>
    </message>
    <message>
        <source>The disk quota is exhausted.</source>
        <translation>Das Speicherkontingent ist erschöpft.</translation>
    </message>
    <message>
        <source>The file has reached the largest size allowed.</source>
        <translation>Die Datei hat die größte erlaubte Größe erreicht.</translation>
    </message>
    <message>
        <source>An input/output error occurred while writing the file.</source>
        <translation>Beim Schreiben der Datei ist ein Ein-/Ausgabefehler aufgetreten.</translation>
    </message>
    <message>
        <source>The disk is read-only.</source>
        <translation>Der Datenträger ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>The file could not be written: %1.</source>
        <translation>Die Datei konnte nicht geschrieben werden: %1.</translation>
    </message>
    <message>
        <source>No file name was given.</source>
        <translation>Es wurde kein Dateiname angegeben.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; already exists.</source>
        <translation>Die Datei „%1“ existiert bereits.</translation>
    </message>
    <message>
        <source>The folder of &quot;%1&quot; does not exist.</source>
        <translation>Der Ordner von „%1“ existiert nicht.</translation>
    </message>
    <message>
        <source>Permission denied to create &quot;%1&quot;.</source>
        <translation>Keine Berechtigung, „%1“ anzulegen.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be created: %2.</source>
        <translation>Die Datei „%1“ konnte nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>Die Datei konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The file is no longer accessible.</source>
        <translation>Auf die Datei kann nicht mehr zugegriffen werden.</translation>
    </message>
    <message>
        <source>The file or its folder was deleted while it was being written.</source>
        <translation>Die Datei oder ihr Ordner wurde gelöscht, während die Datei geschrieben wurde.</translation>
    </message>
</context>
<context>
    <name>quillotap::OutputFolderChooser</name>
    <message>
        <source>Please select a directory.</source>
        <translation>Bitte wählen Sie einen Ordner.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Can not read </source>
        <translation>Nicht lesbar: </translation>
    </message>
</context>
<context>
    <name>quillotap::PageMenu</name>
    <message>
        <source>Recorder</source>
        <translation>Rekorder</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Hotkey</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Icon Mode</source>
        <translation>Symbolmodus</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>quillotap::Playback</name>
    <message>
        <source>Total: </source>
        <translation>Gesamt: </translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Playback stopped: %1</source>
        <translation>Wiedergabe beendet: %1</translation>
    </message>
    <message>
        <source>Playback of &quot;%1&quot; was stopped because the sound output failed.

%2</source>
        <translation>Die Wiedergabe von „%1“ wurde beendet, weil die Tonausgabe ausgefallen ist.

%2</translation>
    </message>
</context>
<context>
    <name>quillotap::PortalHotkeySource</name>
    <message>
        <source>The request to set up the program&apos;s shortcuts was declined.</source>
        <translation>Die Anfrage, die Tastenkürzel des Programms einzurichten, wurde abgelehnt.</translation>
    </message>
    <message>
        <source>The desktop&apos;s shortcut service could not set up the program&apos;s shortcuts.</source>
        <translation>Der Tastenkürzel-Dienst der Arbeitsumgebung konnte die Tastenkürzel des Programms nicht einrichten.</translation>
    </message>
    <message>
        <source>The desktop assigned none of the program&apos;s shortcuts.</source>
        <translation>Die Arbeitsumgebung hat keines der Tastenkürzel des Programms zugewiesen.</translation>
    </message>
</context>
<context>
    <name>quillotap::PresetMenus</name>
    <message>
        <source>Input display presets</source>
        <translation>Voreinstellungen der Eingangsanzeige</translation>
    </message>
    <message>
        <source>Playback display presets</source>
        <translation>Voreinstellungen der Wiedergabeanzeige</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>Voreinstellung %1</translation>
    </message>
</context>
<context>
    <name>quillotap::PulseBackend</name>
    <message>
        <source>There is no input device %1.</source>
        <translation>Es gibt kein Eingangsgerät %1.</translation>
    </message>
</context>
<context>
    <name>quillotap::PulseConnection</name>
    <message>
        <source>Cannot create a PulseAudio context.</source>
        <translation>Es kann kein PulseAudio-Kontext angelegt werden.</translation>
    </message>
    <message>
        <source>Cannot connect to the sound server: %1</source>
        <translation>Keine Verbindung zum Soundserver: %1</translation>
    </message>
    <message>
        <source>The sound server did not answer within %1 ms.</source>
        <translation>Der Soundserver hat nicht innerhalb von %1 ms geantwortet.</translation>
    </message>
</context>
<context>
    <name>quillotap::PulseStreams</name>
    <message>
        <source>The sound server refused the stream: %1</source>
        <translation>Der Soundserver hat den Strom abgelehnt: %1</translation>
    </message>
    <message>
        <source>The sound server did not open the stream in time.</source>
        <translation>Der Soundserver hat den Strom nicht rechtzeitig geöffnet.</translation>
    </message>
    <message>
        <source>Unsupported capture format: %1 Hz, %2 channels.</source>
        <translation>Nicht unterstütztes Aufnahmeformat: %1 Hz, %2 Kanäle.</translation>
    </message>
    <message>
        <source>Cannot create a record stream.</source>
        <translation>Es kann kein Aufnahmestrom angelegt werden.</translation>
    </message>
    <message>
        <source>Cannot record from the source.</source>
        <translation>Von der Quelle kann nicht aufgenommen werden.</translation>
    </message>
    <message>
        <source>Unsupported playback format: %1 Hz, %2 channels.</source>
        <translation>Nicht unterstütztes Wiedergabeformat: %1 Hz, %2 Kanäle.</translation>
    </message>
    <message>
        <source>Cannot create a playback stream.</source>
        <translation>Es kann kein Wiedergabestrom angelegt werden.</translation>
    </message>
    <message>
        <source>Cannot play on the default output.</source>
        <translation>Auf der Standardausgabe kann nicht abgespielt werden.</translation>
    </message>
    <message>
        <source>The connection to the sound server was lost (%1).</source>
        <translation>Die Verbindung zum Soundserver ist abgebrochen (%1).</translation>
    </message>
    <message>
        <source>The input &quot;%1&quot; was removed or stopped by the sound server.</source>
        <translation>Der Eingang „%1“ wurde vom Soundserver entfernt oder angehalten.</translation>
    </message>
    <message>
        <source>The sound server ended the recording from &quot;%1&quot; (%2).</source>
        <translation>Der Soundserver hat die Aufnahme von „%1“ beendet (%2).</translation>
    </message>
    <message>
        <source>The input &quot;%1&quot; was removed.</source>
        <translation>Der Eingang „%1“ wurde entfernt.</translation>
    </message>
</context>
<context>
    <name>quillotap::RecorderPage</name>
    <message>
        <source>Recording in progress</source>
        <translation>Aufnahme läuft</translation>
    </message>
</context>
<context>
    <name>quillotap::RecordingSession</name>
    <message>
        <source>The recording could not start because the folder &quot;%1&quot; could not be created.

%2</source>
        <translation>Die Aufnahme konnte nicht beginnen, weil der Ordner „%1“ nicht angelegt werden konnte.

%2</translation>
    </message>
    <message>
        <source>The recording could not start because the file &quot;%1&quot; could not be created.

%2</source>
        <translation>Die Aufnahme konnte nicht beginnen, weil die Datei „%1“ nicht angelegt werden konnte.

%2</translation>
    </message>
    <message>
        <source>The recording could not start because the input could not be opened.

%1</source>
        <translation>Die Aufnahme konnte nicht beginnen, weil der Eingang nicht geöffnet werden konnte.

%1</translation>
    </message>
    <message>
        <source>The recording was stopped because its input was lost.

%1</source>
        <translation>Die Aufnahme wurde beendet, weil ihr Eingang verloren gegangen ist.

%1</translation>
    </message>
    <message>
        <source>

Everything recorded until then is kept in &quot;%1&quot;.</source>
        <translation>

Alles bis dahin Aufgenommene ist in „%1“ erhalten.</translation>
    </message>
    <message>
        <source>The recording was stopped because the file could not be written.

%1</source>
        <translation>Die Aufnahme wurde beendet, weil die Datei nicht geschrieben werden konnte.

%1</translation>
    </message>
    <message>
        <source>

The file &quot;%1&quot; no longer exists.</source>
        <translation>

Die Datei „%1“ existiert nicht mehr.</translation>
    </message>
    <message>
        <source>Waiting for sound</source>
        <translation>Warten auf Ton</translation>
    </message>
</context>
<context>
    <name>quillotap::RecordingTexts</name>
    <message>
        <source>Recording stopped. </source>
        <translation>Aufnahme beendet. </translation>
    </message>
    <message>
        <source>Preview stopped. </source>
        <translation>Vorschau beendet. </translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Aufnahme läuft</translation>
    </message>
    <message>
        <source>Ready to record</source>
        <translation>Bereit zur Aufnahme</translation>
    </message>
</context>
<context>
    <name>quillotap::Registry</name>
    <message>
        <source>The settings file %1 could not be read (%2); default settings are used and changes will not be saved.</source>
        <translation>Die Einstellungsdatei %1 konnte nicht gelesen werden (%2); es gelten die Standardeinstellungen, und Änderungen werden nicht gespeichert.</translation>
    </message>
    <message>
        <source>it is larger than %1 bytes</source>
        <translation>sie ist größer als %1 Bytes</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>The settings file %1 was damaged (%2) and has been moved to %3; default settings are used.</source>
        <translation>Die Einstellungsdatei %1 war beschädigt (%2) und wurde nach %3 verschoben; es gelten die Standardeinstellungen.</translation>
    </message>
    <message>
        <source>The settings file %1 is damaged (%2) and could not be moved aside; default settings are used and changes will not be saved.</source>
        <translation>Die Einstellungsdatei %1 ist beschädigt (%2) und konnte nicht beiseitegelegt werden; es gelten die Standardeinstellungen, und Änderungen werden nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>quillotap::RegistryHiveParser</name>
    <message>
        <source>a UTF-16 registry export is not a REGEDIT4 file</source>
        <translation>ein UTF-16-Registry-Export ist keine REGEDIT4-Datei</translation>
    </message>
    <message>
        <source>the first line is not &quot;REGEDIT4&quot;</source>
        <translation>die erste Zeile ist nicht &quot;REGEDIT4&quot;</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>the line holds a NUL byte</source>
        <translation>die Zeile enthält ein NUL-Byte</translation>
    </message>
    <message>
        <source>a line must be a [key] or a &quot;name&quot;=value</source>
        <translation>eine Zeile muss ein [Schlüssel] oder ein &quot;Name&quot;=Wert sein</translation>
    </message>
    <message>
        <source>the key name has no closing ]</source>
        <translation>dem Schlüsselnamen fehlt die schließende ]</translation>
    </message>
    <message>
        <source>deleting keys is not supported in a settings file</source>
        <translation>das Löschen von Schlüsseln wird in einer Einstellungsdatei nicht unterstützt</translation>
    </message>
    <message>
        <source>only keys under HKEY_CURRENT_USER can be stored</source>
        <translation>nur Schlüssel unter HKEY_CURRENT_USER können gespeichert werden</translation>
    </message>
    <message>
        <source>the key name &quot;%1&quot; is not valid</source>
        <translation>der Schlüsselname &quot;%1&quot; ist ungültig</translation>
    </message>
    <message>
        <source>a backslash in quoted text must be followed by \ or &quot;</source>
        <translation>auf einen Backslash in Text in Anführungszeichen muss \ oder &quot; folgen</translation>
    </message>
    <message>
        <source>the quoted text has no closing quote</source>
        <translation>dem Text in Anführungszeichen fehlt das schließende Anführungszeichen</translation>
    </message>
    <message>
        <source>a value comes before the first [key]</source>
        <translation>ein Wert steht vor dem ersten [Schlüssel]</translation>
    </message>
    <message>
        <source>the value name is not followed by =</source>
        <translation>auf den Wertnamen folgt kein =</translation>
    </message>
    <message>
        <source>deleting values is not supported in a settings file</source>
        <translation>das Löschen von Werten wird in einer Einstellungsdatei nicht unterstützt</translation>
    </message>
    <message>
        <source>unknown value type</source>
        <translation>unbekannter Werttyp</translation>
    </message>
    <message>
        <source>the value name &quot;%1&quot; is not valid</source>
        <translation>der Wertname &quot;%1&quot; ist ungültig</translation>
    </message>
    <message>
        <source>unexpected text after the closing quote</source>
        <translation>unerwarteter Text nach dem schließenden Anführungszeichen</translation>
    </message>
    <message>
        <source>a dword needs 1 to 8 hex digits</source>
        <translation>ein dword braucht 1 bis 8 Hex-Ziffern</translation>
    </message>
    <message>
        <source>hex( ) needs a type of 1 to 8 hex digits</source>
        <translation>hex( ) braucht einen Typ aus 1 bis 8 Hex-Ziffern</translation>
    </message>
    <message>
        <source>hex data needs a : before the bytes</source>
        <translation>Hex-Daten brauchen einen : vor den Bytes</translation>
    </message>
    <message>
        <source>the hex data continues past the end of the file</source>
        <translation>die Hex-Daten reichen über das Dateiende hinaus</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a two-digit hex byte</source>
        <translation>„%1“ ist kein zweistelliges Hex-Byte</translation>
    </message>
</context>
<context>
    <name>quillotap::SampleConverter</name>
    <message>
        <source>The resampler does not accept %1 Hz, %2 channel(s) to %3 Hz, %4 channel(s).</source>
        <translation>Der Resampler kann %1 Hz, %2 Kanal/Kanäle nicht in %3 Hz, %4 Kanal/Kanäle umwandeln.</translation>
    </message>
    <message>
        <source>The sample format is not supported.</source>
        <translation>Das Sample-Format wird nicht unterstützt.</translation>
    </message>
</context>
<context>
    <name>quillotap::SndfileDecoder</name>
    <message>
        <source>The file&apos;s format is not recognised.</source>
        <translation>Das Format der Datei wurde nicht erkannt.</translation>
    </message>
</context>
<context>
    <name>quillotap::SndfileEncoder</name>
    <message>
        <source>This sample format cannot be written.</source>
        <translation>Dieses Sample-Format kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The file could not be started: %1</source>
        <translation>Die Datei konnte nicht begonnen werden: %1</translation>
    </message>
    <message>
        <source>WAV %1 Hz; %2; %3 bit</source>
        <translation>WAV %1 Hz; %2; %3 Bit</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>VOX Dialogic ADPCM 8,000 Hz; Mono; 4 bit</source>
        <translation>VOX Dialogic ADPCM 8.000 Hz; Mono; 4 Bit</translation>
    </message>
</context>
<context>
    <name>quillotap::VorbisEncoder</name>
    <message>
        <source>The Vorbis encoder failed.</source>
        <translation>Der Vorbis-Encoder ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The Vorbis encoder does not accept these settings.</source>
        <translation>Der Vorbis-Encoder akzeptiert diese Einstellungen nicht.</translation>
    </message>
    <message>
        <source>The Vorbis encoder could not be started.</source>
        <translation>Der Vorbis-Encoder konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>OGG %1 Hz; %2; </source>
        <translation>OGG %1 Hz; %2; </translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>Quality - </source>
        <translation>Qualität - </translation>
    </message>
    <message>
        <source>%1 Kbps</source>
        <translation>%1 Kbps</translation>
    </message>
</context>
<context>
    <name>quillotap::WmaEncoder</name>
    <message>
        <source>This system&apos;s FFmpeg has no WMA encoder.</source>
        <translation>Das FFmpeg dieses Systems hat keinen WMA-Encoder.</translation>
    </message>
    <message>
        <source>This system&apos;s FFmpeg has no ASF writer.</source>
        <translation>Das FFmpeg dieses Systems kann kein ASF schreiben.</translation>
    </message>
    <message>
        <source>Out of memory.</source>
        <translation>Nicht genügend Arbeitsspeicher.</translation>
    </message>
    <message>
        <source>The WMA encoder refused the profile: %1</source>
        <translation>Der WMA-Encoder hat das Profil abgelehnt: %1</translation>
    </message>
    <message>
        <source>The WMA header could not be written: %1</source>
        <translation>Der WMA-Dateikopf konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>The WMA encoder failed: %1</source>
        <translation>Der WMA-Encoder ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>The WMA data could not be written: %1</source>
        <translation>Die WMA-Daten konnten nicht geschrieben werden: %1</translation>
    </message>
</context>
<context>
    <name>quillotap::WmaProfiles</name>
    <message>
        <source>WMA %1 kbps, %2 Hz, %3</source>
        <translation>WMA %1 kbps, %2 Hz, %3</translation>
    </message>
    <message>
        <source> (normal quality, normal size)</source>
        <translation> (normale Qualität und Größe)</translation>
    </message>
    <message>
        <source> (good quality, small size)</source>
        <translation> (gute Qualität, kleine Datei)</translation>
    </message>
    <message>
        <source> (poor quality, very small size)</source>
        <translation> (geringe Qualität, sehr klein)</translation>
    </message>
</context>
</TS>
