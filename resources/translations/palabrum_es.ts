<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>BingoPictures</name>
    <message>
        <source>%1 is cut short.</source>
        <translation>%1 está incompleto.</translation>
    </message>
    <message>
        <source>%1 is not 40 by 40 pixels.</source>
        <translation>%1 no mide 40 × 40 píxeles.</translation>
    </message>
    <message>
        <source>%1 has colour masks, which only 16- and 32-bit bitmaps can have.</source>
        <translation>%1 tiene máscaras de color, que solo pueden tener los mapas de bits de 16 y 32 bits.</translation>
    </message>
    <message>
        <source>%1 is compressed, which is not supported.</source>
        <translation>%1 está comprimido, y eso no se admite.</translation>
    </message>
    <message>
        <source>%1 has colour masks that are not supported.</source>
        <translation>%1 tiene máscaras de color que no se admiten.</translation>
    </message>
    <message>
        <source>%1 has its pixel data inside its headers.</source>
        <translation>%1 tiene los datos de píxeles dentro de sus cabeceras.</translation>
    </message>
    <message>
        <source>%1 has a colour table that runs into its pixel data.</source>
        <translation>%1 tiene una tabla de colores que invade sus datos de píxeles.</translation>
    </message>
    <message>
        <source>Open Failed</source>
        <translation>Error al abrir</translation>
    </message>
    <message>
        <source>Bad Bitmap</source>
        <translation>Mapa de bits no válido</translation>
    </message>
    <message>
        <source>Bitmap must be 40x40 pixels.</source>
        <translation>El mapa de bits debe medir 40 × 40 píxeles.</translation>
    </message>
    <message>
        <source>Bad Size</source>
        <translation>Tamaño incorrecto</translation>
    </message>
    <message>
        <source>%1 has an unsupported header (%2 bytes).</source>
        <translation>%1 tiene una cabecera no admitida (%2 bytes).</translation>
    </message>
    <message>
        <source>%1 has an unsupported colour depth (%2 bits per pixel).</source>
        <translation>%1 tiene una profundidad de color no admitida (%2 bits por píxel).</translation>
    </message>
    <message>
        <source>%1 lists more colours (%2) than %3 bits per pixel can show.</source>
        <translation>%1 indica más colores (%2) de los que pueden mostrar %3 bits por píxel.</translation>
    </message>
    <message>
        <source>Could not open %1</source>
        <translation>No se pudo abrir %1</translation>
    </message>
    <message>
        <source>%1 is too large for a 40 by 40 bitmap.</source>
        <translation>%1 es demasiado grande para un mapa de bits de 40 × 40.</translation>
    </message>
</context>
<context>
    <name>BoardAccessible</name>
    <message>
        <source>Column %1</source>
        <translation>Columna %1</translation>
    </message>
    <message>
        <source>Row %1</source>
        <translation>Fila %1</translation>
    </message>
    <message>
        <source>Row %1, column %2, %3</source>
        <translation>Fila %1, columna %2, %3</translation>
    </message>
    <message>
        <source>marked</source>
        <translation>marcada</translation>
    </message>
    <message>
        <source>not marked</source>
        <translation>sin marcar</translation>
    </message>
</context>
<context>
    <name>CPalabrumApp</name>
    <message>
        <source>Could not open the game %1.
It is missing, unreadable or not a saved Palabrum game.</source>
        <translation>No se pudo abrir la partida %1.
El archivo no existe, no se puede leer o no es una partida guardada de Palabrum.</translation>
    </message>
    <message>
        <source>File Open Error</source>
        <translation>Error al abrir el archivo</translation>
    </message>
</context>
<context>
    <name>CPalabrumDoc</name>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Archivos de texto (*.txt)</translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation>Todos los archivos (*.*)</translation>
    </message>
    <message>
        <source>Cancel current game?</source>
        <translation>¿Cancelar la partida actual?</translation>
    </message>
    <message>
        <source>Cancel game?</source>
        <translation>¿Cancelar la partida?</translation>
    </message>
    <message>
        <source>Error saving state</source>
        <translation>Error al guardar el estado de la partida</translation>
    </message>
    <message>
        <source>Can&apos;t Save State</source>
        <translation>No se puede guardar el estado</translation>
    </message>
</context>
<context>
    <name>CardFiles</name>
    <message>
        <source>Could not write %1: %2</source>
        <translation>No se pudo escribir %1: %2</translation>
    </message>
    <message>
        <source>Palabrum cards</source>
        <translation>Cartones de Palabrum</translation>
    </message>
    <message>
        <source>the PDF could not be drawn.</source>
        <translation>no se pudo dibujar el PDF.</translation>
    </message>
    <message>
        <source>the name must end in .png or .pdf.</source>
        <translation>el nombre debe terminar en .png o .pdf.</translation>
    </message>
    <message>
        <source>Palabrum board</source>
        <translation>Tablero de Palabrum</translation>
    </message>
    <message>
        <source>the card could not be drawn.</source>
        <translation>no se pudo dibujar el cartón.</translation>
    </message>
</context>
<context>
    <name>CardPrintDialog</name>
    <message>
        <source>Print Cards</source>
        <translation>Imprimir cartones</translation>
    </message>
    <message>
        <source>Cards</source>
        <translation>Cartones</translation>
    </message>
    <message>
        <source>&amp;Number of cards:</source>
        <translation>&amp;Número de cartones:</translation>
    </message>
    <message>
        <source>Cards per &amp;sheet:</source>
        <translation>Cartones por &amp;hoja:</translation>
    </message>
</context>
<context>
    <name>CardSheets</name>
    <message>
        <source>a print run is 1 to %1 cards, not %2.</source>
        <translation>una tirada es de 1 a %1 cartones, no de %2.</translation>
    </message>
    <message>
        <source>a card needs 25 words, not %1.</source>
        <translation>un cartón necesita 25 palabras, no %1.</translation>
    </message>
    <message>
        <source>there is no random source to deal with.</source>
        <translation>no hay ninguna fuente aleatoria con la que repartir.</translation>
    </message>
    <message>
        <source>the random source keeps repeating the same deals.</source>
        <translation>la fuente aleatoria repite una y otra vez los mismos repartos.</translation>
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
        <translation>Uso: palabrum [opciones] [FILE]
Bingo de palabras de moda para reuniones.

Argumentos:
  FILE               una partida guardada que abrir

Opciones:
  --screenshot PNG   iniciar como siempre, escribir la ventana en PNG en cuanto
                     se haya dibujado y terminar sin guardar la partida
  --check-list FILE  comprobar una lista de palabras como lo haría Cargar lista
                     propia e indicar el resultado; estado de salida 0 si la
                     lista es válida, 1 en caso contrario
  -h, --help         mostrar esta ayuda
  -v, --version      mostrar la versión
</translation>
    </message>
    <message>
        <source>--check-list takes its list and nothing else</source>
        <translation>--check-list solo admite su lista y nada más</translation>
    </message>
    <message>
        <source>25 good words</source>
        <translation>25 palabras válidas</translation>
    </message>
    <message>
        <source>Try &apos;palabrum --help&apos; for more.</source>
        <translation>Prueba &apos;palabrum --help&apos; para saber más.</translation>
    </message>
    <message>
        <source>there is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are unset);
palabrum --screenshot PNG writes the window to a picture instead.</source>
        <translation>no hay ninguna pantalla en la que mostrar la ventana (DISPLAY y WAYLAND_DISPLAY no están definidas);
palabrum --screenshot PNG escribe la ventana en una imagen en su lugar.</translation>
    </message>
    <message>
        <source>one game file at most, but &apos;%1&apos; is a second</source>
        <translation>como mucho un archivo de partida, pero &apos;%1&apos; es un segundo</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>opción desconocida &apos;%1&apos;</translation>
    </message>
    <message>
        <source>option &apos;%1&apos; needs a value</source>
        <translation>la opción &apos;%1&apos; necesita un valor</translation>
    </message>
    <message>
        <source>could not write %1</source>
        <translation>no se pudo escribir %1</translation>
    </message>
</context>
<context>
    <name>MeetingDialogs</name>
    <message>
        <source>Join Meeting</source>
        <translation>Unirse a una reunión</translation>
    </message>
    <message>
        <source>Start Meeting</source>
        <translation>Iniciar reunión</translation>
    </message>
    <message>
        <source>Meeting &amp;code:</source>
        <translation>&amp;Código de la reunión:</translation>
    </message>
    <message>
        <source>Your &amp;name:</source>
        <translation>Tu &amp;nombre:</translation>
    </message>
    <message>
        <source>Meeting Settings</source>
        <translation>Configuración de reuniones</translation>
    </message>
    <message>
        <source>&amp;Encrypt the connection (TLS)</source>
        <translation>&amp;Cifrar la conexión (TLS)</translation>
    </message>
    <message>
        <source>the system&apos;s certificate authorities</source>
        <translation>las autoridades de certificación del sistema</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Examinar...</translation>
    </message>
    <message>
        <source>Certificate Authority</source>
        <translation>Autoridad de certificación</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ninguno</translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation>&amp;Servidor:</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>&amp;Puerto:</translation>
    </message>
    <message>
        <source>&amp;Certificate authority:</source>
        <translation>&amp;Autoridad de certificación:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>Nombre de &amp;usuario:</translation>
    </message>
    <message>
        <source>Meeting Server Password</source>
        <translation>Contraseña del servidor de reuniones</translation>
    </message>
    <message>
        <source>Password of %1 on %2:</source>
        <translation>Contraseña de %1 en %2:</translation>
    </message>
</context>
<context>
    <name>WordList</name>
    <message>
        <source>File Read Error</source>
        <translation>Error al leer el archivo</translation>
    </message>
    <message>
        <source>More than 25 lines.</source>
        <translation>Más de 25 líneas.</translation>
    </message>
    <message>
        <source>%1 is not a text file</source>
        <translation>%1 no es un archivo de texto</translation>
    </message>
    <message>
        <source>Line too long: %1</source>
        <translation>Línea demasiado larga: %1</translation>
    </message>
    <message>
        <source>%1 is too large for a word list.</source>
        <translation>%1 es demasiado grande para una lista de palabras.</translation>
    </message>
    <message>
        <source>List has %1 lines.
(I need %2.)</source>
        <translation>La lista tiene %1 líneas.
(Necesito %2.)</translation>
    </message>
    <message>
        <source>Error reading %1</source>
        <translation>Error al leer %1</translation>
    </message>
</context>
<context>
    <name>palabrum::CAboutDlg</name>
    <message>
        <source>About Palabrum</source>
        <translation>Acerca de Palabrum</translation>
    </message>
    <message>
        <source>Palabrum</source>
        <translation>Palabrum</translation>
    </message>
    <message>
        <source>Palabrum(TM) Version %1</source>
        <translation>Palabrum(TM) versión %1</translation>
    </message>
    <message>
        <source>Instructions and terms of use: Help/Help Topics</source>
        <translation>Instrucciones y condiciones de uso: Ayuda/Temas de ayuda</translation>
    </message>
    <message>
        <source>Palabrum web page</source>
        <translation>Página web de Palabrum</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>palabrum::CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nuevo</translation>
    </message>
    <message>
        <source>&amp;Open Game...</source>
        <translation>&amp;Abrir partida...</translation>
    </message>
    <message>
        <source>&amp;Load Custom List...</source>
        <translation>&amp;Cargar lista propia...</translation>
    </message>
    <message>
        <source>&amp;Load Default List...</source>
        <translation>Cargar lista pre&amp;determinada...</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Guardar...</translation>
    </message>
    <message>
        <source>&amp;Print Cards...</source>
        <translation>&amp;Imprimir cartones...</translation>
    </message>
    <message>
        <source>&amp;Export Card...</source>
        <translation>&amp;Exportar cartón...</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Archivo reciente</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>&amp;Words on Board</source>
        <translation>&amp;Palabras en el tablero</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Herramientas</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Opciones...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Temas de ayuda</translation>
    </message>
    <message>
        <source>&amp;About Palabrum...</source>
        <translation>&amp;Acerca de Palabrum...</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Comandos</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Save Game</source>
        <translation>Guardar partida</translation>
    </message>
    <message>
        <source>Error saving %1</source>
        <translation>Error al guardar %1</translation>
    </message>
    <message>
        <source>Can&apos;t Save Game</source>
        <translation>No se puede guardar la partida</translation>
    </message>
    <message>
        <source>How many cards (1 to 99)?</source>
        <translation>¿Cuántos cartones (de 1 a 99)?</translation>
    </message>
    <message>
        <source>Palabrum cards.pdf</source>
        <translation>Cartones de Palabrum.pdf</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf)</source>
        <translation>Documentos PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Can&apos;t Print Cards</source>
        <translation>No se pueden imprimir los cartones</translation>
    </message>
    <message>
        <source>Export Card</source>
        <translation>Exportar cartón</translation>
    </message>
    <message>
        <source>Palabrum card.png</source>
        <translation>Cartón de Palabrum.png</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>Imágenes PNG (*.png)</translation>
    </message>
    <message>
        <source>Can&apos;t Export Card</source>
        <translation>No se puede exportar el cartón</translation>
    </message>
    <message>
        <source>Palabrum games (*.palabrum *.dat)</source>
        <translation>Partidas de Palabrum (*.palabrum *.dat)</translation>
    </message>
    <message>
        <source>Meeting.palabrum</source>
        <translation>Reunión.palabrum</translation>
    </message>
    <message>
        <source>Palabrum games (*.palabrum)</source>
        <translation>Partidas de Palabrum (*.palabrum)</translation>
    </message>
    <message>
        <source>Save Cards as P&amp;DF...</source>
        <translation>Guardar cartones como &amp;PDF...</translation>
    </message>
    <message>
        <source>Palabrum cards</source>
        <translation>Cartones de Palabrum</translation>
    </message>
    <message>
        <source>the printer could not be used.</source>
        <translation>no se pudo usar la impresora.</translation>
    </message>
    <message>
        <source>Could not print the cards: %1</source>
        <translation>No se pudieron imprimir los cartones: %1</translation>
    </message>
    <message>
        <source>Save Cards as PDF</source>
        <translation>Guardar cartones como PDF</translation>
    </message>
</context>
<context>
    <name>palabrum::COptionsDlg</name>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>&amp;Bingo Message:</source>
        <translation>&amp;Mensaje de bingo:</translation>
    </message>
    <message>
        <source>Bingo Message</source>
        <translation>Mensaje de bingo</translation>
    </message>
    <message>
        <source>List &amp;Position:</source>
        <translation>&amp;Posición de la lista:</translation>
    </message>
    <message>
        <source>List Position</source>
        <translation>Posición de la lista</translation>
    </message>
    <message>
        <source>&amp;Random Board</source>
        <translation>&amp;Tablero aleatorio</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>Board &amp;Color:</source>
        <translation>&amp;Color del tablero:</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>Car&amp;gar...</translation>
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
        <translation>Personalizado</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Izquierda</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Arriba</translation>
    </message>
    <message>
        <source>Board Color</source>
        <translation>Color del tablero</translation>
    </message>
    <message>
        <source>Bitmap Files (*.bmp)</source>
        <translation>Archivos de mapa de bits (*.bmp)</translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation>Todos los archivos (*.*)</translation>
    </message>
    <message>
        <source>Please load a bitmap</source>
        <translation>Carga un mapa de bits</translation>
    </message>
    <message>
        <source>Custom Bitmap</source>
        <translation>Mapa de bits personalizado</translation>
    </message>
    <message>
        <source>The Random Board change
will take effect when you
start a new game.</source>
        <translation>El cambio de Tablero aleatorio
se aplicará cuando empieces
una partida nueva.</translation>
    </message>
    <message>
        <source>Random Board</source>
        <translation>Tablero aleatorio</translation>
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
        <translation>¡Palabrum(TM)!
%1
%2
%3
Consulta Ayuda/Temas de ayuda
para ver las instrucciones
y las condiciones de uso</translation>
    </message>
    <message>
        <source>Words</source>
        <translation>Palabras</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>Palabra</translation>
    </message>
    <message>
        <source>Invalid custom bitmap.
Using default.</source>
        <translation>Mapa de bits personalizado no válido.
Se usará la imagen predeterminada.</translation>
    </message>
    <message>
        <source>Bad bitmap</source>
        <translation>Mapa de bits no válido</translation>
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
        <translation>Ayuda de Palabrum</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>Navegación</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Atrás</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>A&amp;delante</translation>
    </message>
    <message>
        <source>&amp;Home</source>
        <translation>&amp;Inicio</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
</context>
<context>
    <name>palabrum::MeetingController</name>
    <message>
        <source>Players</source>
        <translation>Jugadores</translation>
    </message>
    <message>
        <source>&amp;Meeting</source>
        <translation>&amp;Reunión</translation>
    </message>
    <message>
        <source>&amp;Start Meeting...</source>
        <translation>&amp;Iniciar reunión...</translation>
    </message>
    <message>
        <source>&amp;Join Meeting...</source>
        <translation>&amp;Unirse a una reunión...</translation>
    </message>
    <message>
        <source>&amp;New Round</source>
        <translation>&amp;Nueva ronda</translation>
    </message>
    <message>
        <source>&amp;Leave Meeting</source>
        <translation>&amp;Salir de la reunión</translation>
    </message>
    <message>
        <source>&amp;Players Panel</source>
        <translation>Panel de &amp;jugadores</translation>
    </message>
    <message>
        <source>Se&amp;ttings...</source>
        <translation>&amp;Configuración...</translation>
    </message>
    <message>
        <source>Start Meeting</source>
        <translation>Iniciar reunión</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no meeting code: a code has ten letters and digits, such as ABCDE-FGHJK.</source>
        <translation>«%1» no es un código de reunión: un código tiene diez letras y cifras, como ABCDE-FGHJK.</translation>
    </message>
    <message>
        <source>Join Meeting</source>
        <translation>Unirse a una reunión</translation>
    </message>
    <message>
        <source>A name has 1 to 40 characters, and no control characters.</source>
        <translation>Un nombre tiene de 1 a 40 caracteres y ningún carácter de control.</translation>
    </message>
    <message>
        <source>Not enough memory to open the meeting.</source>
        <translation>No hay memoria suficiente para abrir la reunión.</translation>
    </message>
    <message>
        <source>Meeting</source>
        <translation>Reunión</translation>
    </message>
    <message>
        <source>Bingo! %1</source>
        <translation>¡Bingo! %1</translation>
    </message>
    <message>
        <source>The meeting&apos;s code is %1. It is on the clipboard: read it out, or paste it into the meeting&apos;s chat, and everyone joins with Meeting &gt; Join Meeting...</source>
        <translation>El código de la reunión es %1. Está en el portapapeles: léelo en voz alta o pégalo en el chat de la reunión, y todos se unen con Reunión &gt; Unirse a una reunión...</translation>
    </message>
    <message>
        <source>There is no meeting with the code %1.</source>
        <translation>No hay ninguna reunión con el código %1.</translation>
    </message>
    <message>
        <source>Could not reach the meeting server %1, port %2: %3</source>
        <translation>No se pudo contactar con el servidor de reuniones %1, puerto %2: %3</translation>
    </message>
    <message>
        <source>This word list is too long to share in a meeting: its words may take some 3,900 bytes together. Load a list of shorter words, then start the meeting.</source>
        <translation>Esta lista de palabras es demasiado larga para compartirla en una reunión: sus palabras pueden ocupar unos 3.900 bytes en total. Carga una lista de palabras más cortas y luego inicia la reunión.</translation>
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
        <translation>Reunión %1</translation>
    </message>
    <message>
        <source>Meeting %1 (offline: playing on)</source>
        <translation>Reunión %1 (sin conexión: se sigue jugando)</translation>
    </message>
    <message>
        <source>%1: Bingo!</source>
        <translation>%1: ¡Bingo!</translation>
    </message>
    <message>
        <source>%1: %2 of 5</source>
        <translation>%1: %2 de 5</translation>
    </message>
    <message>
        <source>%1 (gone)</source>
        <translation>%1 (se fue)</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>Not in a meeting. Meeting &gt; Start Meeting... opens one; Join Meeting... joins one.</source>
        <translation>Sin reunión. Reunión &gt; Iniciar reunión... abre una; Unirse a una reunión... se une a una.</translation>
    </message>
</context>
<context>
    <name>palabrum::UIBoard</name>
    <message>
        <source>Board</source>
        <translation>Tablero</translation>
    </message>
</context>
</TS>
