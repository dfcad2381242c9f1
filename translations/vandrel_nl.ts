<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>vandrel::AboutDialog</name>
    <message>
        <location filename="../ui/dialogs/about_dialog.cpp" line="57"/>
        <source>Record</source>
        <extracomment>The about box&apos;s button to the player&apos;s record, 96 x 32 layout pixels.</extracomment>
        <translation>Statistiek</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/about_dialog.cpp" line="65"/>
        <source>Your record (R)</source>
        <translation>Jouw statistiek (R)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/about_dialog.cpp" line="66"/>
        <source>Your record</source>
        <translation>Jouw statistiek</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/about_dialog.cpp" line="86"/>
        <source>Error</source>
        <extracomment>The title of the box when the web page could not be opened.</extracomment>
        <translation>Fout</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/about_dialog.cpp" line="88"/>
        <source>Failed to execute %1</source>
        <extracomment>%1 is the address without its scheme (&quot;//vandrel.example.org&quot;).</extracomment>
        <translation>Kan %1 niet openen</translation>
    </message>
</context>
<context>
    <name>vandrel::Accessibility</name>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="34"/>
        <source>Your piece, %1</source>
        <extracomment>A screen reader&apos;s name for the player&apos;s piece; %1 is its square (&quot;column 3, row 5&quot;).</extracomment>
        <translation>Jouw pion, %1</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="36"/>
        <source>The computer&apos;s piece, %1</source>
        <extracomment>A screen reader&apos;s name for the computer&apos;s piece; %1 is its square.</extracomment>
        <translation>Pion van de computer, %1</translation>
    </message>
    <message numerus="yes">
        <location filename="../ui/window/accessibility.cpp" line="51"/>
        <source>%n of your pieces, %1</source>
        <extracomment>The square under the keyboard cursor, with two or more of the player&apos;s pieces stacked in a Base column: %n is how many, %1 the square.</extracomment>
        <translation>
            <numerusform>%n pion van jou, %1</numerusform>
            <numerusform>%n pionnen van jou, %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../ui/window/accessibility.cpp" line="53"/>
        <source>%n of the computer&apos;s pieces, %1</source>
        <extracomment>The same with the computer&apos;s pieces.</extracomment>
        <translation>
            <numerusform>%n pion van de computer, %1</numerusform>
            <numerusform>%n pionnen van de computer, %1</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="56"/>
        <source>Empty square, %1</source>
        <extracomment>The square under the keyboard cursor; %1 is the square.</extracomment>
        <translation>Leeg veld, %1</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="61"/>
        <source>Die: %1</source>
        <extracomment>A screen reader&apos;s name for the die: %1 is the number thrown.</extracomment>
        <translation>Dobbelsteen: %1</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="63"/>
        <source>Die: not thrown</source>
        <extracomment>A screen reader&apos;s name for the die before a throw.</extracomment>
        <translation>Dobbelsteen: nog niet gegooid</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="74"/>
        <source>Throw Dice</source>
        <extracomment>A screen reader&apos;s name for the &quot;Throw Dice&quot; button (its caption has a line break).</extracomment>
        <translation>Gooien</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="76"/>
        <source>About Vandrel</source>
        <extracomment>A screen reader&apos;s name for the &quot;?&quot; button.</extracomment>
        <translation>Over Vandrel</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="78"/>
        <source>Your turn</source>
        <translation>Jij bent aan de beurt</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="80"/>
        <source>My turn</source>
        <extracomment>The computer speaks as &quot;I&quot;.</extracomment>
        <translation>Ik ben aan de beurt</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="81"/>
        <source>Board</source>
        <translation>Bord</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="83"/>
        <source>Rules</source>
        <extracomment>The rules text, shown over the board.</extracomment>
        <translation>Regels</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="85"/>
        <source>Columns 6 to 1, as the computer counts them</source>
        <extracomment>The column numbers above the board, from the computer&apos;s side.</extracomment>
        <translation>Kolommen 6 tot 1, zoals de computer ze telt</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="87"/>
        <source>Columns 1 to 6, as you count them</source>
        <extracomment>The column numbers below the board, from the player&apos;s side.</extracomment>
        <translation>Kolommen 1 tot 6, zoals jij ze telt</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="88"/>
        <source>Your match score</source>
        <translation>Jouw totaalscore</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="89"/>
        <source>My match score</source>
        <translation>Mijn totaalscore</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="90"/>
        <source>Your bonus points</source>
        <translation>Jouw bonuspunten</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="91"/>
        <source>My bonus points</source>
        <translation>Mijn bonuspunten</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="97"/>
        <source>The computer&apos;s pieces stacked in %1</source>
        <extracomment>The number of the computer&apos;s pieces on one square of its Base column; %1 is the square (&quot;the left Base column, row 2&quot;).</extracomment>
        <translation>Gestapelde pionnen van de computer op %1</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="101"/>
        <source>Your pieces stacked in %1</source>
        <extracomment>The number of the player&apos;s pieces on one square of their Base column; %1 is the square.</extracomment>
        <translation>Jouw gestapelde pionnen op %1</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="150"/>
        <source>Cursor: %1</source>
        <extracomment>The board&apos;s description for a screen reader: %1 is what stands on the square under the keyboard cursor (&quot;Empty square, column 3, row 5&quot;).</extracomment>
        <translation>Cursor: %1</translation>
    </message>
</context>
<context>
    <name>vandrel::CommandLine</name>
    <message>
        <location filename="../app/cmdline.cpp" line="37"/>
        <source>show this help and exit</source>
        <extracomment>--help&apos;s list of options: each in one line after a column of 20 characters, within 80.</extracomment>
        <translation>deze hulp tonen en afsluiten</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="39"/>
        <source>show the version and exit</source>
        <translation>de versie tonen en afsluiten</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="41"/>
        <source>play in a window and leave the screen mode alone</source>
        <translation>in een venster spelen, de schermmodus niet wijzigen</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="54"/>
        <source>Usage: vandrel [options] [FILE.vdg]</source>
        <extracomment>--help&apos;s first line. &quot;vandrel&quot;, &quot;[&quot; and &quot;]&quot; stay; &quot;options&quot; and &quot;FILE&quot; may be translated.</extracomment>
        <translation>Gebruik: vandrel [opties] [BESTAND.vdg]</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="55"/>
        <source>Vandrel: a board game for one player against the computer.</source>
        <translation>Vandrel: een bordspel voor één speler tegen de computer.</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="58"/>
        <source>Options:</source>
        <extracomment>--help&apos;s heading over the options.</extracomment>
        <translation>Opties:</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="68"/>
        <source>Arguments:</source>
        <extracomment>--help&apos;s heading over the arguments.</extracomment>
        <translation>Argumenten:</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="72"/>
        <source>FILE.vdg</source>
        <extracomment>--help: the name of the argument, as in the first line (&quot;[FILE.vdg]&quot;); at most 16 characters.</extracomment>
        <translation>BESTAND.vdg</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="74"/>
        <source>a saved game to start from, as &quot;Load&quot; starts one</source>
        <extracomment>--help: what the argument is. &quot;Load&quot; is the button.</extracomment>
        <translation>een bewaarde partij om verder te spelen, zoals met “Open”</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="77"/>
        <source>Keys: N New Match, P Play Game, Space or D Throw Dice, H a hint, F1 Rules,
M sound on or off, R Your record, F11 full screen or a window, Ctrl+S Save,
Ctrl+O Load, Ctrl+Q Bye!; on the board the arrows and Return, Escape to
de-select a piece. See vandrel(6).</source>
        <extracomment>--help&apos;s last lines, each within 80 characters: the keys and the buttons they press, by the buttons&apos; captions. &quot;vandrel(6)&quot; is the manual page.</extracomment>
        <translation>Toetsen: N Nieuwe match, P Spelen, spatiebalk of D Gooien, H een tip,
F1 Regels, M geluid aan of uit, R Jouw statistiek, F11 volledig scherm of
venster, Ctrl+S Bewaar, Ctrl+O Open, Ctrl+Q Doei!; op het bord pijltjestoetsen
en Enter, Esc om een pion te deselecteren. Zie vandrel(6).</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="91"/>
        <source>Unknown option &apos;%1&apos;.</source>
        <extracomment>A command line refused: one option the program does not know.</extracomment>
        <translation>Onbekende optie “%1”.</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="95"/>
        <source>Unknown options: %1.</source>
        <extracomment>A command line refused: the options the program does not know, with commas between them.</extracomment>
        <translation>Onbekende opties: %1.</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="121"/>
        <source>Try &apos;vandrel --help&apos; for more information.</source>
        <extracomment>After a command line refused; &quot;vandrel --help&quot; stays.</extracomment>
        <translation>Meer informatie met “vandrel --help”.</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="138"/>
        <source>one saved game at a time</source>
        <extracomment>A command line refused: it named more than one saved game.</extracomment>
        <translation>één bewaarde partij tegelijk</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="153"/>
        <source>cannot open a display: DISPLAY is not set</source>
        <extracomment>The program cannot start: no display named. DISPLAY is the environment variable&apos;s name and stays.</extracomment>
        <translation>kan geen beeldscherm openen: DISPLAY is niet ingesteld</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="206"/>
        <source>cannot open display &apos;%1&apos;</source>
        <extracomment>The program cannot start: %1 is the display&apos;s name (&quot;:0&quot;).</extracomment>
        <translation>kan beeldscherm “%1” niet openen</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="211"/>
        <source>cannot start: %1</source>
        <extracomment>The program cannot start: %1 is Qt&apos;s reason, in English.</extracomment>
        <translation>kan niet starten: %1</translation>
    </message>
</context>
<context>
    <name>vandrel::Game</name>
    <message>
        <location filename="../control/board_help.cpp" line="43"/>
        <source>the left Base column, row %1</source>
        <extracomment>A square of the board, in sentences such as the hint; %1 is the row (1 to 8 from the top). The left Base column is the computer&apos;s.</extracomment>
        <translation>basiskolom links, rij %1</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="47"/>
        <source>the right Base column, row %1</source>
        <extracomment>A square of the board; %1 is the row (1 to 8 from the top). The right Base column is the player&apos;s.</extracomment>
        <translation>basiskolom rechts, rij %1</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="50"/>
        <source>column %1, row %2</source>
        <extracomment>A square of the board: %1 is the column (1 to 6 from the left), %2 the row (1 to 8 from the top).</extracomment>
        <translation>kolom %1, rij %2</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="63"/>
        <source>I moved my piece from %1 to %2</source>
        <extracomment>A screen reader&apos;s alert after the computer&apos;s move: %1 and %2 are squares (&quot;column 2, row 2&quot;, &quot;the left Base column, row 7&quot;).</extracomment>
        <translation>Ik heb mijn pion van %1 naar %2 verplaatst</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="74"/>
        <source>I sent back your piece on %1</source>
        <extracomment>A screen reader&apos;s alert: the computer used the removal option; %1 is the square.</extracomment>
        <translation>Ik heb jouw pion op %1 teruggestuurd</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="79"/>
        <source>I moved my piece from %1 to %2 and took your piece there</source>
        <extracomment>A screen reader&apos;s alert after the computer&apos;s move that took the player&apos;s piece where it landed: %1 and %2 are squares.</extracomment>
        <translation>Ik heb mijn pion van %1 naar %2 verplaatst en daar jouw pion geslagen</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="95"/>
        <source>Hint: send back the computer&apos;s piece</source>
        <extracomment>A screen reader&apos;s alert for the hint key: the removal option, when the piece is not known.</extracomment>
        <translation>Tip: stuur de pion van de computer terug</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="99"/>
        <source>Hint: send back the computer&apos;s piece on %1</source>
        <extracomment>A screen reader&apos;s alert for the hint key: the removal option; %1 is the square of the computer&apos;s piece.</extracomment>
        <translation>Tip: stuur de pion van de computer op %1 terug</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="104"/>
        <source>Hint: move your piece from %1 to %2</source>
        <extracomment>A screen reader&apos;s alert for the hint key: %1 and %2 are squares.</extracomment>
        <translation>Tip: verplaats je pion van %1 naar %2</translation>
    </message>
    <message>
        <location filename="../control/game.cpp" line="234"/>
        <source>I can&apos;t move!</source>
        <extracomment>The prompt when the die gives the side to move no move; &quot;I&quot; is the computer.</extracomment>
        <translation>Ik kan geen zet doen!</translation>
    </message>
    <message>
        <location filename="../control/game.cpp" line="235"/>
        <source>You can&apos;t move!</source>
        <translation>Je kunt geen zet doen!</translation>
    </message>
    <message>
        <location filename="../control/game.cpp" line="343"/>
        <source>Game Over - It&apos;s a Draw!</source>
        <translation>Einde partij – gelijkspel!</translation>
    </message>
    <message>
        <location filename="../control/game.cpp" line="351"/>
        <source>Match Over - You Win!</source>
        <extracomment>The prompt at a match&apos;s end.</extracomment>
        <translation>Einde match – jij wint!</translation>
    </message>
    <message>
        <location filename="../control/game.cpp" line="352"/>
        <source>Match Over - You Lose!</source>
        <translation>Einde match – jij verliest!</translation>
    </message>
    <message>
        <location filename="../control/game.cpp" line="407"/>
        <source>Continue your unfinished match?</source>
        <extracomment>The prompt&apos;s question at start-up, answered &quot;Yes&quot; or &quot;No&quot;: the match an earlier run left unfinished.</extracomment>
        <translation>Verder met je onderbroken match?</translation>
    </message>
    <message>
        <location filename="../control/savegame.h" line="50"/>
        <source>This file is not a Vandrel saved game.</source>
        <extracomment>An error box, when a saved game is loaded.</extracomment>
        <translation>Dit bestand is geen bewaarde partij van Vandrel.</translation>
    </message>
    <message>
        <location filename="../rules/rules.cpp" line="118"/>
        <source>Wrong direction</source>
        <extracomment>A message box: a piece in its Base column may only go on towards its return square.</extracomment>
        <translation>Verkeerde richting</translation>
    </message>
    <message>
        <location filename="../rules/rules.cpp" line="233"/>
        <source>You can&apos;t move there!</source>
        <extracomment>The prompt: a box of two lines of 273 layout pixels in a bold 19-pixel face.</extracomment>
        <translation>Daar kun je niet heen!</translation>
    </message>
    <message>
        <location filename="../rules/rules.cpp" line="236"/>
        <source>Click the Dice!</source>
        <extracomment>The prompt. &quot;Dice&quot; is the &quot;Throw Dice&quot; button.</extracomment>
        <translation>Eerst gooien!</translation>
    </message>
    <message>
        <location filename="../rules/rules.cpp" line="348"/>
        <source>Game Over - You Win!</source>
        <extracomment>The prompt at a game&apos;s end.</extracomment>
        <translation>Einde partij – jij wint!</translation>
    </message>
    <message>
        <location filename="../rules/rules.cpp" line="349"/>
        <source>Game Over - You Lose!</source>
        <translation>Einde partij – jij verliest!</translation>
    </message>
</context>
<context>
    <name>vandrel::Keyboard</name>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="31"/>
        <source>New Match</source>
        <extracomment>The tooltips of the side panel&apos;s buttons, before their keys.</extracomment>
        <translation>Nieuwe match</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="32"/>
        <source>Play Game</source>
        <translation>Spelen</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="34"/>
        <source>Throw Dice</source>
        <translation>Gooien</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="36"/>
        <source>Save</source>
        <translation>Bewaar</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="37"/>
        <source>Load</source>
        <translation>Open</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="38"/>
        <source>Rules: show or hide</source>
        <translation>Regels: tonen of verbergen</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="39"/>
        <source>Sound on or off</source>
        <translation>Geluid aan of uit</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="40"/>
        <source>Bye!</source>
        <translation>Doei!</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="49"/>
        <source>%1 or %2</source>
        <extracomment>Two keys that do the same: &quot;Space or D&quot;.</extracomment>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="52"/>
        <source>%1 (%2)</source>
        <extracomment>A tooltip: %1 is what the button does, %2 its key (&quot;Throw Dice (Space or D)&quot;).</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="77"/>
        <source>About Vandrel (R: your record)</source>
        <translation>Over Vandrel (R: jouw statistiek)</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="81"/>
        <source>%1 (Escape); arrow keys move the cursor, Return clicks; H: a hint. Dots mark where the selected piece may go, a ring the piece you may send back, an orange outline the computer&apos;s last move</source>
        <extracomment>The board&apos;s tooltip: %1 is the mouse&apos;s part of it (&quot;right click to de-select piece&quot;), the keys and the marks follow.</extracomment>
        <translation>%1 (Esc); de pijltjestoetsen verplaatsen de cursor, Enter klikt; H: een tip. Stippen markeren waar de geselecteerde pion heen mag, een ring de pion die je kunt terugsturen, een oranje rand de laatste zet van de computer</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="88"/>
        <source>Your piece: click to select it, dots then mark where it may go (H: a hint)</source>
        <extracomment>The tooltip of the player&apos;s pieces.</extracomment>
        <translation>Jouw pion: klik om hem te selecteren, dan markeren stippen waar hij heen mag (H: een tip)</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="90"/>
        <source>The computer&apos;s piece: a ring marks the one you may send back (H: a hint)</source>
        <translation>Pion van de computer: een ring markeert de pion die je kunt terugsturen (H: een tip)</translation>
    </message>
</context>
<context>
    <name>vandrel::OptionsDialog</name>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="36"/>
        <source>Options</source>
        <extracomment>The options dialog&apos;s title.</extracomment>
        <translation>Opties</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="44"/>
        <source>Games / Match</source>
        <extracomment>Left of the games per match, 168 layout pixels before the number.</extracomment>
        <translation>Partijen / match</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="72"/>
        <source>Sound FX On/Off</source>
        <extracomment>Right of its check box: 190 layout pixels up to the dialog&apos;s edge.</extracomment>
        <translation>Geluid aan/uit</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="85"/>
        <source>Show moves</source>
        <extracomment>Right of its check box: 190 layout pixels. The marks on the board where a selected piece may go and what the computer moved.</extracomment>
        <translation>Zetten tonen</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="92"/>
        <source>Computer:</source>
        <extracomment>Over the computer&apos;s two levels, &quot;Classic&quot; and &quot;Strong&quot;: 280 layout pixels.</extracomment>
        <translation>Computer:</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="100"/>
        <source>Classic</source>
        <extracomment>The computer&apos;s level as the game first had it: a choice of about 85 layout pixels beside its round button.</extracomment>
        <translation>Klassiek</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="105"/>
        <source>Strong</source>
        <extracomment>The computer&apos;s stronger level: a choice of about 95 layout pixels beside its round button.</extracomment>
        <translation>Sterk</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="114"/>
        <source>Cancel</source>
        <extracomment>A button of 113 x 37 layout pixels.</extracomment>
        <translation>Annuleren</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="118"/>
        <source>Apply</source>
        <extracomment>A button of 113 x 37 layout pixels.</extracomment>
        <translation>Toepassen</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="136"/>
        <source>One game more (Up)</source>
        <extracomment>A tooltip; Up is the arrow key.</extracomment>
        <translation>Eén partij meer (pijl-omhoog)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="138"/>
        <source>One game fewer (Down)</source>
        <extracomment>A tooltip; Down is the arrow key.</extracomment>
        <translation>Eén partij minder (pijl-omlaag)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="140"/>
        <source>Apply (Return)</source>
        <extracomment>A tooltip; Return is the key.</extracomment>
        <translation>Toepassen (Enter)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="142"/>
        <source>Cancel (Escape)</source>
        <extracomment>A tooltip; Escape is the key.</extracomment>
        <translation>Annuleren (Esc)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="147"/>
        <source>One game more</source>
        <extracomment>A screen reader&apos;s name for the up arrow.</extracomment>
        <translation>Eén partij meer</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="149"/>
        <source>One game fewer</source>
        <extracomment>A screen reader&apos;s name for the down arrow.</extracomment>
        <translation>Eén partij minder</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="154"/>
        <source>Marks on the board where a selected piece may go and what the computer moved</source>
        <extracomment>A screen reader&apos;s description of the &quot;Show moves&quot; check box.</extracomment>
        <translation>Markeringen op het bord: waar een geselecteerde pion heen mag en welke zet de computer deed</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="156"/>
        <source>Computer: %1</source>
        <extracomment>A screen reader&apos;s name for a level: %1 is &quot;Classic&quot; or &quot;Strong&quot;.</extracomment>
        <translation>Computer: %1</translation>
    </message>
</context>
<context>
    <name>vandrel::PromptDialog</name>
    <message>
        <location filename="../ui/dialogs/prompt_dialog.cpp" line="33"/>
        <location filename="../ui/dialogs/record_dialog.cpp" line="108"/>
        <location filename="../ui/dialogs/record_dialog.cpp" line="122"/>
        <source>OK</source>
        <extracomment>The prompt&apos;s button that closes a message: 81 x 37 layout pixels.</extracomment>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/prompt_dialog.cpp" line="72"/>
        <source>No</source>
        <extracomment>The prompt&apos;s answer to a question: a button of 58 x 37 layout pixels.</extracomment>
        <translation>Nee</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/prompt_dialog.cpp" line="90"/>
        <source>Yes</source>
        <extracomment>The prompt&apos;s answer to a question: a button of 58 x 37 layout pixels.</extracomment>
        <translation>Ja</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/prompt_dialog.cpp" line="168"/>
        <source>Save Game</source>
        <extracomment>The title of the file dialog that saves a game.</extracomment>
        <translation>Partij bewaren</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/prompt_dialog.cpp" line="170"/>
        <source>Vandrel File (*.vdg)</source>
        <extracomment>The save dialog&apos;s file type; &quot;(*.vdg)&quot; stays as it is.</extracomment>
        <translation>Vandrel-bestand (*.vdg)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/prompt_dialog.cpp" line="177"/>
        <source>Open</source>
        <extracomment>The title of the file dialog that loads a saved game.</extracomment>
        <translation>Openen</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/prompt_dialog.cpp" line="179"/>
        <source>Vandrel Files (*.vdg)</source>
        <extracomment>The open dialog&apos;s file type; &quot;(*.vdg)&quot; stays as it is.</extracomment>
        <translation>Vandrel-bestanden (*.vdg)</translation>
    </message>
</context>
<context>
    <name>vandrel::RecordDialog</name>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="25"/>
        <source>Games played</source>
        <translation>Gespeelde partijen</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="27"/>
        <source>Games won</source>
        <translation>Gewonnen partijen</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="29"/>
        <source>Games lost</source>
        <translation>Verloren partijen</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="31"/>
        <source>Matches played</source>
        <translation>Gespeelde matches</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="33"/>
        <source>Matches won</source>
        <translation>Gewonnen matches</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="35"/>
        <source>Matches lost</source>
        <translation>Verloren matches</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="37"/>
        <source>Matches drawn</source>
        <translation>Onbesliste matches</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="39"/>
        <source>Best match score</source>
        <translation>Hoogste totaalscore</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="41"/>
        <source>Longest run of games won</source>
        <translation>Langste winstreeks</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="68"/>
        <location filename="../ui/dialogs/record_dialog.cpp" line="75"/>
        <source>Your record</source>
        <translation>Jouw statistiek</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="105"/>
        <source>Clear</source>
        <extracomment>A button of the record dialog, 113 x 37 layout pixels.</extracomment>
        <translation>Wissen</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="120"/>
        <source>OK (Return)</source>
        <translation>OK (Enter)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="121"/>
        <source>Clear your record (C)</source>
        <translation>Jouw statistiek wissen (C)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="123"/>
        <source>Clear your record</source>
        <translation>Jouw statistiek wissen</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="134"/>
        <source>%1: %2</source>
        <extracomment>What a screen reader says of a row: the caption and its number.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="144"/>
        <source>Clear your record?</source>
        <translation>Jouw statistiek wissen?</translation>
    </message>
</context>
<context>
    <name>vandrel::SfxPlayer</name>
    <message>
        <location filename="../ui/sound/sfx_player.cpp" line="107"/>
        <source>Sound effects</source>
        <extracomment>The game&apos;s sound stream in the desktop&apos;s volume control.</extracomment>
        <translation>Geluidseffecten</translation>
    </message>
</context>
<context>
    <name>vandrel::WindowBuilder</name>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="67"/>
        <source>SFX On</source>
        <extracomment>The sound switch on the side panel, a button of 145 x 33 layout pixels.</extracomment>
        <translation>SFX aan</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="69"/>
        <source>SFX Off</source>
        <extracomment>The sound switch, off: a button of 145 x 33 layout pixels.</extracomment>
        <translation>SFX uit</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="107"/>
        <source>right click to de-select piece</source>
        <extracomment>The board&apos;s tooltip; the keys are told after it.</extracomment>
        <translation>rechtermuisklik om de pion te deselecteren</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="166"/>
        <source>Score</source>
        <extracomment>The side panel&apos;s heading over the match scores, about 110 layout pixels.</extracomment>
        <translation>Score</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="176"/>
        <source>You</source>
        <extracomment>The player&apos;s row of the scores and of the bonus points, left of the number: about 60 layout pixels.</extracomment>
        <translation>Jij</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="179"/>
        <source>Me</source>
        <extracomment>The computer&apos;s row of the scores and of the bonus points, left of the number: about 60 layout pixels. The computer speaks as &quot;I&quot;.</extracomment>
        <translation>Ik</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="198"/>
        <source>Bonus Points</source>
        <extracomment>The panel over the scores while a game runs: 145 layout pixels wide, between the &quot;You&quot; and &quot;Me&quot; rows.</extracomment>
        <translation>Bonuspunten</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="228"/>
        <source>Rules</source>
        <extracomment>A button of the side panel, 105 x 57 layout pixels: shows or hides the rules.</extracomment>
        <translation>Regels</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="237"/>
        <source>Throw
Dice</source>
        <extracomment>A button of the side panel, 72 x 65 layout pixels, in two lines: throws the die.</extracomment>
        <translation>Gooien</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="244"/>
        <source>Play Game</source>
        <extracomment>A button of the side panel, 145 x 57 layout pixels: starts the next game.</extracomment>
        <translation>Spelen</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="252"/>
        <source>Save</source>
        <extracomment>A button of the side panel, 69 x 33 layout pixels: saves the game to a file.</extracomment>
        <translation>Bewaar</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="259"/>
        <source>Load</source>
        <extracomment>A button of the side panel, 69 x 33 layout pixels: loads a saved game.</extracomment>
        <translation>Open</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="267"/>
        <source>New Match</source>
        <extracomment>A button of the side panel, 145 x 65 layout pixels: opens the options and starts a new match.</extracomment>
        <translation>Nieuwe match</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="275"/>
        <source>Bye!</source>
        <extracomment>A button of the side panel, 145 x 65 layout pixels, a small picture at its left: leaves the game.</extracomment>
        <translation>Doei!</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="308"/>
        <source>Click here to close</source>
        <extracomment>The rules text&apos;s tooltip.</extracomment>
        <translation>Klik hier om te sluiten</translation>
    </message>
</context>
</TS>
