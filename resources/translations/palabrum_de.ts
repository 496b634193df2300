<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BingoPictures</name>
    <message>
        <source>%1 is cut short.</source>
        <translation>%1 ist unvollständig.</translation>
    </message>
    <message>
        <source>%1 is not 40 by 40 pixels.</source>
        <translation>%1 ist nicht 40 × 40 Pixel groß.</translation>
    </message>
    <message>
        <source>%1 has colour masks, which only 16- and 32-bit bitmaps can have.</source>
        <translation>%1 hat Farbmasken, die nur 16- und 32-Bit-Bitmaps haben können.</translation>
    </message>
    <message>
        <source>%1 is compressed, which is not supported.</source>
        <translation>%1 ist komprimiert; das wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>%1 has colour masks that are not supported.</source>
        <translation>%1 hat Farbmasken, die nicht unterstützt werden.</translation>
    </message>
    <message>
        <source>%1 has its pixel data inside its headers.</source>
        <translation>In %1 liegen die Pixeldaten innerhalb der Header.</translation>
    </message>
    <message>
        <source>%1 has a colour table that runs into its pixel data.</source>
        <translation>In %1 reicht die Farbtabelle bis in die Pixeldaten.</translation>
    </message>
    <message>
        <source>Open Failed</source>
        <translation>Öffnen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Bad Bitmap</source>
        <translation>Ungültige Bitmap</translation>
    </message>
    <message>
        <source>Bitmap must be 40x40 pixels.</source>
        <translation>Die Bitmap muss 40 × 40 Pixel groß sein.</translation>
    </message>
    <message>
        <source>Bad Size</source>
        <translation>Falsche Größe</translation>
    </message>
    <message>
        <source>%1 has an unsupported header (%2 bytes).</source>
        <translation>%1 hat einen nicht unterstützten Header (%2 Bytes).</translation>
    </message>
    <message>
        <source>%1 has an unsupported colour depth (%2 bits per pixel).</source>
        <translation>%1 hat eine nicht unterstützte Farbtiefe (%2 Bit pro Pixel).</translation>
    </message>
    <message>
        <source>%1 lists more colours (%2) than %3 bits per pixel can show.</source>
        <translation>%1 nennt mehr Farben (%2), als %3 Bit pro Pixel darstellen können.</translation>
    </message>
    <message>
        <source>Could not open %1</source>
        <translation>%1 konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>%1 is too large for a 40 by 40 bitmap.</source>
        <translation>%1 ist zu groß für eine Bitmap von 40 × 40 Pixeln.</translation>
    </message>
</context>
<context>
    <name>BoardAccessible</name>
    <message>
        <source>Column %1</source>
        <translation>Spalte %1</translation>
    </message>
    <message>
        <source>Row %1</source>
        <translation>Zeile %1</translation>
    </message>
    <message>
        <source>Row %1, column %2, %3</source>
        <translation>Zeile %1, Spalte %2, %3</translation>
    </message>
    <message>
        <source>marked</source>
        <translation>markiert</translation>
    </message>
    <message>
        <source>not marked</source>
        <translation>nicht markiert</translation>
    </message>
</context>
<context>
    <name>CPalabrumApp</name>
    <message>
        <source>Could not open the game %1.
It is missing, unreadable or not a saved Palabrum game.</source>
        <translation>Das Spiel %1 konnte nicht geöffnet werden.
Die Datei fehlt, ist nicht lesbar oder kein gespeichertes Palabrum-Spiel.</translation>
    </message>
    <message>
        <source>File Open Error</source>
        <translation>Fehler beim Öffnen</translation>
    </message>
</context>
<context>
    <name>CPalabrumDoc</name>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>Cancel current game?</source>
        <translation>Laufendes Spiel abbrechen?</translation>
    </message>
    <message>
        <source>Cancel game?</source>
        <translation>Spiel abbrechen?</translation>
    </message>
    <message>
        <source>Error saving state</source>
        <translation>Fehler beim Speichern des Spielstands</translation>
    </message>
    <message>
        <source>Can&apos;t Save State</source>
        <translation>Spielstand nicht gespeichert</translation>
    </message>
</context>
<context>
    <name>CardFiles</name>
    <message>
        <source>Could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Palabrum cards</source>
        <translation>Palabrum-Karten</translation>
    </message>
    <message>
        <source>the PDF could not be drawn.</source>
        <translation>das PDF konnte nicht gezeichnet werden.</translation>
    </message>
    <message>
        <source>the name must end in .png or .pdf.</source>
        <translation>der Name muss auf .png oder .pdf enden.</translation>
    </message>
    <message>
        <source>Palabrum board</source>
        <translation>Palabrum-Spielfeld</translation>
    </message>
    <message>
        <source>the card could not be drawn.</source>
        <translation>die Karte konnte nicht gezeichnet werden.</translation>
    </message>
</context>
<context>
    <name>CardPrintDialog</name>
    <message>
        <source>Print Cards</source>
        <translation>Karten drucken</translation>
    </message>
    <message>
        <source>Cards</source>
        <translation>Karten</translation>
    </message>
    <message>
        <source>&amp;Number of cards:</source>
        <translation>&amp;Anzahl der Karten:</translation>
    </message>
    <message>
        <source>Cards per &amp;sheet:</source>
        <translation>Karten pro &amp;Blatt:</translation>
    </message>
</context>
<context>
    <name>CardSheets</name>
    <message>
        <source>a print run is 1 to %1 cards, not %2.</source>
        <translation>ein Druckauftrag umfasst 1 bis %1 Karten, nicht %2.</translation>
    </message>
    <message>
        <source>a card needs 25 words, not %1.</source>
        <translation>eine Karte braucht 25 Wörter, nicht %1.</translation>
    </message>
    <message>
        <source>there is no random source to deal with.</source>
        <translation>es gibt keine Zufallsquelle zum Verteilen.</translation>
    </message>
    <message>
        <source>the random source keeps repeating the same deals.</source>
        <translation>die Zufallsquelle wiederholt immer wieder dieselben Verteilungen.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: palabrum [options] [FILE]
Buzzword bingo for meetings.

Arguments:
  FILE               a saved game to open

Options:
  --screenshot PNG   start as usual, write the window to PNG once painted, and end
                     without saving the game
  --check-list FILE  check a word list as Load Custom List would, and say what it
                     found; exit status 0 for a good list, 1 otherwise
  -h, --help         show this help
  -v, --version      show the version
</source>
        <translation>Aufruf: palabrum [Optionen] [FILE]
Buzzword-Bingo für Meetings.

Argumente:
  FILE               ein gespeichertes Spiel, das geöffnet wird

Optionen:
  --screenshot PNG   wie gewohnt starten, das Fenster nach dem ersten Zeichnen
                     in PNG schreiben und beenden, ohne das Spiel zu speichern
  --check-list FILE  eine Wortliste prüfen wie Eigene Liste laden und das
                     Ergebnis ausgeben; Exit-Status 0 bei einer gültigen Liste,
                     sonst 1
  -h, --help         diese Hilfe anzeigen
  -v, --version      die Version anzeigen
</translation>
    </message>
    <message>
        <source>--check-list takes its list and nothing else</source>
        <translation>--check-list nimmt nur eine Liste und sonst nichts</translation>
    </message>
    <message>
        <source>25 good words</source>
        <translation>25 gültige Wörter</translation>
    </message>
    <message>
        <source>Try &apos;palabrum --help&apos; for more.</source>
        <translation>Mehr dazu mit &apos;palabrum --help&apos;.</translation>
    </message>
    <message>
        <source>there is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are unset);
palabrum --screenshot PNG writes the window to a picture instead.</source>
        <translation>es gibt keinen Bildschirm, auf dem das Fenster erscheinen kann (DISPLAY und WAYLAND_DISPLAY sind nicht gesetzt);
palabrum --screenshot PNG schreibt das Fenster stattdessen in ein Bild.</translation>
    </message>
    <message>
        <source>one game file at most, but &apos;%1&apos; is a second</source>
        <translation>höchstens eine Spieldatei, aber &apos;%1&apos; ist eine zweite</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>option &apos;%1&apos; needs a value</source>
        <translation>die Option &apos;%1&apos; braucht einen Wert</translation>
    </message>
    <message>
        <source>could not write %1</source>
        <translation>%1 konnte nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>MeetingDialogs</name>
    <message>
        <source>Join Meeting</source>
        <translation>An Besprechung teilnehmen</translation>
    </message>
    <message>
        <source>Start Meeting</source>
        <translation>Besprechung starten</translation>
    </message>
    <message>
        <source>Meeting &amp;code:</source>
        <translation>Besprechungs&amp;code:</translation>
    </message>
    <message>
        <source>Your &amp;name:</source>
        <translation>Dein &amp;Name:</translation>
    </message>
    <message>
        <source>Meeting Settings</source>
        <translation>Besprechungseinstellungen</translation>
    </message>
    <message>
        <source>&amp;Encrypt the connection (TLS)</source>
        <translation>Verbindung &amp;verschlüsseln (TLS)</translation>
    </message>
    <message>
        <source>the system&apos;s certificate authorities</source>
        <translation>die Zertifizierungsstellen des Systems</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>Certificate Authority</source>
        <translation>Zertifizierungsstelle</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keiner</translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation>&amp;Server:</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>&amp;Certificate authority:</source>
        <translation>&amp;Zertifizierungsstelle:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>Meeting Server Password</source>
        <translation>Passwort des Besprechungsservers</translation>
    </message>
    <message>
        <source>Password of %1 on %2:</source>
        <translation>Passwort von %1 auf %2:</translation>
    </message>
</context>
<context>
    <name>WordList</name>
    <message>
        <source>File Read Error</source>
        <translation>Fehler beim Lesen der Datei</translation>
    </message>
    <message>
        <source>More than 25 lines.</source>
        <translation>Mehr als 25 Zeilen.</translation>
    </message>
    <message>
        <source>%1 is not a text file</source>
        <translation>%1 ist keine Textdatei</translation>
    </message>
    <message>
        <source>Line too long: %1</source>
        <translation>Zeile zu lang: %1</translation>
    </message>
    <message>
        <source>%1 is too large for a word list.</source>
        <translation>%1 ist zu groß für eine Wortliste.</translation>
    </message>
    <message>
        <source>List has %1 lines.
(I need %2.)</source>
        <translation>Die Liste hat %1 Zeilen.
(Ich brauche %2.)</translation>
    </message>
    <message>
        <source>Error reading %1</source>
        <translation>Fehler beim Lesen von %1</translation>
    </message>
</context>
<context>
    <name>palabrum::CAboutDlg</name>
    <message>
        <source>About Palabrum</source>
        <translation>Über Palabrum</translation>
    </message>
    <message>
        <source>Palabrum</source>
        <translation>Palabrum</translation>
    </message>
    <message>
        <source>Palabrum(TM) Version %1</source>
        <translation>Palabrum(TM) Version %1</translation>
    </message>
    <message>
        <source>Instructions and terms of use: Help/Help Topics</source>
        <translation>Anleitung und Nutzungsbedingungen: Hilfe/Hilfethemen</translation>
    </message>
    <message>
        <source>Palabrum web page</source>
        <translation>Palabrum-Webseite</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>palabrum::CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open Game...</source>
        <translation>Spiel ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Load Custom List...</source>
        <translation>&amp;Eigene Liste laden...</translation>
    </message>
    <message>
        <source>&amp;Load Default List...</source>
        <translation>S&amp;tandardliste laden...</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <source>&amp;Print Cards...</source>
        <translation>Karten &amp;drucken...</translation>
    </message>
    <message>
        <source>&amp;Export Card...</source>
        <translation>Karte e&amp;xportieren...</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt verwendete Datei</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Words on Board</source>
        <translation>&amp;Wörter auf dem Spielfeld</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Hilfethemen</translation>
    </message>
    <message>
        <source>&amp;About Palabrum...</source>
        <translation>Ü&amp;ber Palabrum...</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Befehle</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save Game</source>
        <translation>Spiel speichern</translation>
    </message>
    <message>
        <source>Error saving %1</source>
        <translation>Fehler beim Speichern von %1</translation>
    </message>
    <message>
        <source>Can&apos;t Save Game</source>
        <translation>Spiel nicht gespeichert</translation>
    </message>
    <message>
        <source>How many cards (1 to 99)?</source>
        <translation>Wie viele Karten (1 bis 99)?</translation>
    </message>
    <message>
        <source>Palabrum cards.pdf</source>
        <translation>Palabrum-Karten.pdf</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf)</source>
        <translation>PDF-Dokumente (*.pdf)</translation>
    </message>
    <message>
        <source>Can&apos;t Print Cards</source>
        <translation>Karten nicht gedruckt</translation>
    </message>
    <message>
        <source>Export Card</source>
        <translation>Karte exportieren</translation>
    </message>
    <message>
        <source>Palabrum card.png</source>
        <translation>Palabrum-Karte.png</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>Can&apos;t Export Card</source>
        <translation>Karte nicht exportiert</translation>
    </message>
    <message>
        <source>Palabrum games (*.palabrum *.dat)</source>
        <translation>Palabrum-Spiele (*.palabrum *.dat)</translation>
    </message>
    <message>
        <source>Meeting.palabrum</source>
        <translation>Besprechung.palabrum</translation>
    </message>
    <message>
        <source>Palabrum games (*.palabrum)</source>
        <translation>Palabrum-Spiele (*.palabrum)</translation>
    </message>
    <message>
        <source>Save Cards as P&amp;DF...</source>
        <translation>Karten als &amp;PDF speichern...</translation>
    </message>
    <message>
        <source>Palabrum cards</source>
        <translation>Palabrum-Karten</translation>
    </message>
    <message>
        <source>the printer could not be used.</source>
        <translation>der Drucker ließ sich nicht verwenden.</translation>
    </message>
    <message>
        <source>Could not print the cards: %1</source>
        <translation>Die Karten konnten nicht gedruckt werden: %1</translation>
    </message>
    <message>
        <source>Save Cards as PDF</source>
        <translation>Karten als PDF speichern</translation>
    </message>
</context>
<context>
    <name>palabrum::COptionsDlg</name>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Bingo Message:</source>
        <translation>&amp;Bingo-Meldung:</translation>
    </message>
    <message>
        <source>Bingo Message</source>
        <translation>Bingo-Meldung</translation>
    </message>
    <message>
        <source>List &amp;Position:</source>
        <translation>Listen&amp;position:</translation>
    </message>
    <message>
        <source>List Position</source>
        <translation>Listenposition</translation>
    </message>
    <message>
        <source>&amp;Random Board</source>
        <translation>&amp;Zufälliges Spielfeld</translation>
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
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Board &amp;Color:</source>
        <translation>Spielfeld&amp;farbe:</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>&amp;Laden...</translation>
    </message>
    <message>
        <source>Bingo!</source>
        <translation>Bingo!</translation>
    </message>
    <message>
        <source>Bullsh#t!</source>
        <translation>Bullsh#t!</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Board Color</source>
        <translation>Spielfeldfarbe</translation>
    </message>
    <message>
        <source>Bitmap Files (*.bmp)</source>
        <translation>Bitmap-Dateien (*.bmp)</translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>Please load a bitmap</source>
        <translation>Bitte lade eine Bitmap</translation>
    </message>
    <message>
        <source>Custom Bitmap</source>
        <translation>Benutzerdefinierte Bitmap</translation>
    </message>
    <message>
        <source>The Random Board change
will take effect when you
start a new game.</source>
        <translation>Die Änderung an Zufälliges
Spielfeld wirkt, sobald du
ein neues Spiel beginnst.</translation>
    </message>
    <message>
        <source>Random Board</source>
        <translation>Zufälliges Spielfeld</translation>
    </message>
</context>
<context>
    <name>palabrum::CPalabrumView</name>
    <message>
        <source>Palabrum(TM)!
%1
%2
%3
See Help/Help Topics
for instructions
and terms of use</source>
        <translation>Palabrum(TM)!
%1
%2
%3
Anleitung und
Nutzungsbedingungen unter
Hilfe/Hilfethemen</translation>
    </message>
    <message>
        <source>Words</source>
        <translation>Wörter</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>Wort</translation>
    </message>
    <message>
        <source>Invalid custom bitmap.
Using default.</source>
        <translation>Ungültige benutzerdefinierte Bitmap.
Das Standardbild wird verwendet.</translation>
    </message>
    <message>
        <source>Bad bitmap</source>
        <translation>Ungültige Bitmap</translation>
    </message>
    <message>
        <source>Bingo</source>
        <translation>Bingo</translation>
    </message>
</context>
<context>
    <name>palabrum::HelpViewer</name>
    <message>
        <source>Palabrum Help</source>
        <translation>Palabrum-Hilfe</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vorwärts</translation>
    </message>
    <message>
        <source>&amp;Home</source>
        <translation>S&amp;tartseite</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
</context>
<context>
    <name>palabrum::MeetingController</name>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>&amp;Meeting</source>
        <translation>&amp;Besprechung</translation>
    </message>
    <message>
        <source>&amp;Start Meeting...</source>
        <translation>Besprechung &amp;starten...</translation>
    </message>
    <message>
        <source>&amp;Join Meeting...</source>
        <translation>&amp;An Besprechung teilnehmen...</translation>
    </message>
    <message>
        <source>&amp;New Round</source>
        <translation>&amp;Neue Runde</translation>
    </message>
    <message>
        <source>&amp;Leave Meeting</source>
        <translation>Besprechung &amp;verlassen</translation>
    </message>
    <message>
        <source>&amp;Players Panel</source>
        <translation>Spieler&amp;liste</translation>
    </message>
    <message>
        <source>Se&amp;ttings...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>Start Meeting</source>
        <translation>Besprechung starten</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no meeting code: a code has ten letters and digits, such as ABCDE-FGHJK.</source>
        <translation>„%1“ ist kein Besprechungscode: Ein Code hat zehn Buchstaben und Ziffern, etwa ABCDE-FGHJK.</translation>
    </message>
    <message>
        <source>Join Meeting</source>
        <translation>An Besprechung teilnehmen</translation>
    </message>
    <message>
        <source>A name has 1 to 40 characters, and no control characters.</source>
        <translation>Ein Name hat 1 bis 40 Zeichen und keine Steuerzeichen.</translation>
    </message>
    <message>
        <source>Not enough memory to open the meeting.</source>
        <translation>Nicht genug Speicher, um die Besprechung zu öffnen.</translation>
    </message>
    <message>
        <source>Meeting</source>
        <translation>Besprechung</translation>
    </message>
    <message>
        <source>Bingo! %1</source>
        <translation>Bingo! %1</translation>
    </message>
    <message>
        <source>The meeting&apos;s code is %1. It is on the clipboard: read it out, or paste it into the meeting&apos;s chat, and everyone joins with Meeting &gt; Join Meeting...</source>
        <translation>Der Code der Besprechung ist %1. Er liegt in der Zwischenablage: Lies ihn vor oder füge ihn in den Chat der Besprechung ein; alle nehmen mit Besprechung &gt; An Besprechung teilnehmen... teil.</translation>
    </message>
    <message>
        <source>There is no meeting with the code %1.</source>
        <translation>Es gibt keine Besprechung mit dem Code %1.</translation>
    </message>
    <message>
        <source>Could not reach the meeting server %1, port %2: %3</source>
        <translation>Der Besprechungsserver %1, Port %2, ist nicht erreichbar: %3</translation>
    </message>
    <message>
        <source>This word list is too long to share in a meeting: its words may take some 3,900 bytes together. Load a list of shorter words, then start the meeting.</source>
        <translation>Diese Wortliste ist zu lang, um sie in einer Besprechung zu teilen: Ihre Wörter dürfen zusammen etwa 3.900 Bytes umfassen. Lade eine Liste mit kürzeren Wörtern und starte dann die Besprechung.</translation>
    </message>
</context>
<context>
    <name>palabrum::PlayersPanel</name>
    <message>
        <source>Bingos</source>
        <translation>Bingos</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Meeting %1</source>
        <translation>Besprechung %1</translation>
    </message>
    <message>
        <source>Meeting %1 (offline: playing on)</source>
        <translation>Besprechung %1 (offline: es wird weitergespielt)</translation>
    </message>
    <message>
        <source>%1: Bingo!</source>
        <translation>%1: Bingo!</translation>
    </message>
    <message>
        <source>%1: %2 of 5</source>
        <translation>%1: %2 von 5</translation>
    </message>
    <message>
        <source>%1 (gone)</source>
        <translation>%1 (gegangen)</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>Not in a meeting. Meeting &gt; Start Meeting... opens one; Join Meeting... joins one.</source>
        <translation>In keiner Besprechung. Besprechung &gt; Besprechung starten... eröffnet eine, An Besprechung teilnehmen... tritt einer bei.</translation>
    </message>
</context>
<context>
    <name>palabrum::UIBoard</name>
    <message>
        <source>Board</source>
        <translation>Spielfeld</translation>
    </message>
</context>
</TS>
