<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>vandrel::AboutDialog</name>
    <message>
        <location filename="../ui/dialogs/about_dialog.cpp" line="72"/>
        <source>Record</source>
        <extracomment>The about box&apos;s button to the player&apos;s record, 96 x 32 layout pixels.</extracomment>
        <translation>Итоги</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/about_dialog.cpp" line="80"/>
        <source>Your record (R)</source>
        <translation>Ваши итоги (R)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/about_dialog.cpp" line="81"/>
        <source>Your record</source>
        <translation>Ваши итоги</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/about_dialog.cpp" line="108"/>
        <source>Error</source>
        <extracomment>The title of the box when the web page could not be opened.</extracomment>
        <translation>Ошибка</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/about_dialog.cpp" line="110"/>
        <source>Failed to execute %1</source>
        <extracomment>%1 is the guide&apos;s address without its scheme (&quot;///usr/share/doc/vandrel/README.md&quot;).</extracomment>
        <translation>Не удалось открыть %1</translation>
    </message>
</context>
<context>
    <name>vandrel::Accessibility</name>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="34"/>
        <source>Your piece, %1</source>
        <extracomment>A screen reader&apos;s name for the player&apos;s piece; %1 is its square (&quot;column 3, row 5&quot;).</extracomment>
        <translation>Ваша фишка %1</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="36"/>
        <source>The computer&apos;s piece, %1</source>
        <extracomment>A screen reader&apos;s name for the computer&apos;s piece; %1 is its square.</extracomment>
        <translation>Фишка компьютера %1</translation>
    </message>
    <message numerus="yes">
        <location filename="../ui/window/accessibility.cpp" line="51"/>
        <source>%n of your pieces, %1</source>
        <extracomment>The square under the keyboard cursor, with two or more of the player&apos;s pieces stacked in a Base column: %n is how many, %1 the square.</extracomment>
        <translation>
            <numerusform>%n ваша фишка %1</numerusform>
            <numerusform>%n ваши фишки %1</numerusform>
            <numerusform>%n ваших фишек %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../ui/window/accessibility.cpp" line="53"/>
        <source>%n of the computer&apos;s pieces, %1</source>
        <extracomment>The same with the computer&apos;s pieces.</extracomment>
        <translation>
            <numerusform>%n фишка компьютера %1</numerusform>
            <numerusform>%n фишки компьютера %1</numerusform>
            <numerusform>%n фишек компьютера %1</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="56"/>
        <source>Empty square, %1</source>
        <extracomment>The square under the keyboard cursor; %1 is the square.</extracomment>
        <translation>Пустая клетка %1</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="61"/>
        <source>Die: %1</source>
        <extracomment>A screen reader&apos;s name for the die: %1 is the number thrown.</extracomment>
        <translation>Кубик: %1</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="63"/>
        <source>Die: not thrown</source>
        <extracomment>A screen reader&apos;s name for the die before a throw.</extracomment>
        <translation>Кубик: ещё не брошен</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="74"/>
        <source>Throw Dice</source>
        <extracomment>A screen reader&apos;s name for the &quot;Throw Dice&quot; button (its caption has a line break).</extracomment>
        <translation>Бросить кубик</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="76"/>
        <source>About Vandrel</source>
        <extracomment>A screen reader&apos;s name for the &quot;?&quot; button.</extracomment>
        <translation>Об игре Vandrel</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="78"/>
        <source>Your turn</source>
        <translation>Ваш ход</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="80"/>
        <source>My turn</source>
        <extracomment>The computer speaks as &quot;I&quot;.</extracomment>
        <translation>Мой ход</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="81"/>
        <source>Board</source>
        <translation>Доска</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="83"/>
        <source>Rules</source>
        <extracomment>The rules text, shown over the board.</extracomment>
        <translation>Правила</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="85"/>
        <source>Columns 6 to 1, as the computer counts them</source>
        <extracomment>The column numbers above the board, from the computer&apos;s side.</extracomment>
        <translation>Столбцы с 6 по 1, как их считает компьютер</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="87"/>
        <source>Columns 1 to 6, as you count them</source>
        <extracomment>The column numbers below the board, from the player&apos;s side.</extracomment>
        <translation>Столбцы с 1 по 6, как их считаете вы</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="88"/>
        <source>Your match score</source>
        <translation>Ваш счёт матча</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="89"/>
        <source>My match score</source>
        <translation>Мой счёт матча</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="90"/>
        <source>Your bonus points</source>
        <translation>Ваши бонусные очки</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="91"/>
        <source>My bonus points</source>
        <translation>Мои бонусные очки</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="97"/>
        <source>The computer&apos;s pieces stacked in %1</source>
        <extracomment>The number of the computer&apos;s pieces on one square of its Base column; %1 is the square (&quot;the left Base column, row 2&quot;).</extracomment>
        <translation>Стопка фишек компьютера %1</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="101"/>
        <source>Your pieces stacked in %1</source>
        <extracomment>The number of the player&apos;s pieces on one square of their Base column; %1 is the square.</extracomment>
        <translation>Стопка ваших фишек %1</translation>
    </message>
    <message>
        <location filename="../ui/window/accessibility.cpp" line="150"/>
        <source>Cursor: %1</source>
        <extracomment>The board&apos;s description for a screen reader: %1 is what stands on the square under the keyboard cursor (&quot;Empty square, column 3, row 5&quot;).</extracomment>
        <translation>Курсор: %1</translation>
    </message>
</context>
<context>
    <name>vandrel::CommandLine</name>
    <message>
        <location filename="../app/cmdline.cpp" line="37"/>
        <source>show this help and exit</source>
        <extracomment>--help&apos;s list of options: each in one line after a column of 20 characters, within 80.</extracomment>
        <translation>показать эту справку и выйти</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="39"/>
        <source>show the version and exit</source>
        <translation>показать версию и выйти</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="41"/>
        <source>play in a window and leave the screen mode alone</source>
        <translation>играть в окне, не меняя режим экрана</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="54"/>
        <source>Usage: vandrel [options] [FILE.vdg]</source>
        <extracomment>--help&apos;s first line. &quot;vandrel&quot;, &quot;[&quot; and &quot;]&quot; stay; &quot;options&quot; and &quot;FILE&quot; may be translated.</extracomment>
        <translation>Использование: vandrel [параметры] [ФАЙЛ.vdg]</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="55"/>
        <source>Vandrel: a board game for one player against the computer.</source>
        <translation>Vandrel: настольная игра для одного игрока против компьютера.</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="58"/>
        <source>Options:</source>
        <extracomment>--help&apos;s heading over the options.</extracomment>
        <translation>Параметры:</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="68"/>
        <source>Arguments:</source>
        <extracomment>--help&apos;s heading over the arguments.</extracomment>
        <translation>Аргументы:</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="72"/>
        <source>FILE.vdg</source>
        <extracomment>--help: the name of the argument, as in the first line (&quot;[FILE.vdg]&quot;); at most 16 characters.</extracomment>
        <translation>ФАЙЛ.vdg</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="74"/>
        <source>a saved game to start from, as &quot;Load&quot; starts one</source>
        <extracomment>--help: what the argument is. &quot;Load&quot; is the button.</extracomment>
        <translation>сохранённая партия для начала игры, как по кнопке «Загр.»</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="77"/>
        <source>Keys: N New Match, P Play Game, Space or D Throw Dice, H a hint, F1 Rules,
M sound on or off, R Your record, F11 full screen or a window, Ctrl+S Save,
Ctrl+O Load, Ctrl+Q Bye!; on the board the arrows and Return, Escape to
de-select a piece. See vandrel(6).</source>
        <extracomment>--help&apos;s last lines, each within 80 characters: the keys and the buttons they press, by the buttons&apos; captions. &quot;vandrel(6)&quot; is the manual page.</extracomment>
        <translation>Клавиши: N «Новый матч», P «Играть», пробел или D «Бросок», H подсказка,
F1 «Правила», M звук вкл./выкл., R «Ваши итоги», F11 полный экран или окно,
Ctrl+S «Сохр.», Ctrl+O «Загр.», Ctrl+Q «Пока!»; на доске стрелки и Enter,
Esc снимает выделение. Подробнее: vandrel(6).</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="91"/>
        <source>Unknown option &apos;%1&apos;.</source>
        <extracomment>A command line refused: one option the program does not know.</extracomment>
        <translation>Неизвестный параметр «%1».</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="95"/>
        <source>Unknown options: %1.</source>
        <extracomment>A command line refused: the options the program does not know, with commas between them.</extracomment>
        <translation>Неизвестные параметры: %1.</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="121"/>
        <source>Try &apos;vandrel --help&apos; for more information.</source>
        <extracomment>After a command line refused; &quot;vandrel --help&quot; stays.</extracomment>
        <translation>По команде «vandrel --help» можно узнать больше.</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="138"/>
        <source>one saved game at a time</source>
        <extracomment>A command line refused: it named more than one saved game.</extracomment>
        <translation>можно указать только одну сохранённую партию</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="153"/>
        <source>cannot open a display: DISPLAY is not set</source>
        <extracomment>The program cannot start: no display named. DISPLAY is the environment variable&apos;s name and stays.</extracomment>
        <translation>не удаётся открыть дисплей: переменная DISPLAY не задана</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="206"/>
        <source>cannot open display &apos;%1&apos;</source>
        <extracomment>The program cannot start: %1 is the display&apos;s name (&quot;:0&quot;).</extracomment>
        <translation>не удаётся открыть дисплей «%1»</translation>
    </message>
    <message>
        <location filename="../app/cmdline.cpp" line="211"/>
        <source>cannot start: %1</source>
        <extracomment>The program cannot start: %1 is Qt&apos;s reason, in English.</extracomment>
        <translation>не удаётся запуститься: %1</translation>
    </message>
</context>
<context>
    <name>vandrel::Game</name>
    <message>
        <location filename="../control/board_help.cpp" line="43"/>
        <source>the left Base column, row %1</source>
        <extracomment>A square of the board, in sentences such as the hint; %1 is the row (1 to 8 from the top). The left Base column is the computer&apos;s.</extracomment>
        <translation>в левом столбце базы, в ряду %1</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="47"/>
        <source>the right Base column, row %1</source>
        <extracomment>A square of the board; %1 is the row (1 to 8 from the top). The right Base column is the player&apos;s.</extracomment>
        <translation>в правом столбце базы, в ряду %1</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="50"/>
        <source>column %1, row %2</source>
        <extracomment>A square of the board: %1 is the column (1 to 6 from the left), %2 the row (1 to 8 from the top).</extracomment>
        <translation>в столбце %1, в ряду %2</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="63"/>
        <source>I moved my piece from %1 to %2</source>
        <extracomment>A screen reader&apos;s alert after the computer&apos;s move: %1 and %2 are squares (&quot;column 2, row 2&quot;, &quot;the left Base column, row 7&quot;).</extracomment>
        <translation>Я пошёл фишкой с клетки %1 на клетку %2</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="74"/>
        <source>I sent back your piece on %1</source>
        <extracomment>A screen reader&apos;s alert: the computer used the removal option; %1 is the square.</extracomment>
        <translation>Я отправил на базу вашу фишку %1</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="79"/>
        <source>I moved my piece from %1 to %2 and took your piece there</source>
        <extracomment>A screen reader&apos;s alert after the computer&apos;s move that took the player&apos;s piece where it landed: %1 and %2 are squares.</extracomment>
        <translation>Я пошёл фишкой с клетки %1 на клетку %2 и побил там вашу фишку</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="95"/>
        <source>Hint: send back the computer&apos;s piece</source>
        <extracomment>A screen reader&apos;s alert for the hint key: the removal option, when the piece is not known.</extracomment>
        <translation>Подсказка: отправьте на базу фишку компьютера</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="99"/>
        <source>Hint: send back the computer&apos;s piece on %1</source>
        <extracomment>A screen reader&apos;s alert for the hint key: the removal option; %1 is the square of the computer&apos;s piece.</extracomment>
        <translation>Подсказка: отправьте на базу фишку компьютера %1</translation>
    </message>
    <message>
        <location filename="../control/board_help.cpp" line="104"/>
        <source>Hint: move your piece from %1 to %2</source>
        <extracomment>A screen reader&apos;s alert for the hint key: %1 and %2 are squares.</extracomment>
        <translation>Подсказка: ходите фишкой с клетки %1 на клетку %2</translation>
    </message>
    <message>
        <location filename="../control/game.cpp" line="234"/>
        <source>I can&apos;t move!</source>
        <extracomment>The prompt when the die gives the side to move no move; &quot;I&quot; is the computer.</extracomment>
        <translation>У меня нет ходов!</translation>
    </message>
    <message>
        <location filename="../control/game.cpp" line="235"/>
        <source>You can&apos;t move!</source>
        <translation>У вас нет ходов!</translation>
    </message>
    <message>
        <location filename="../control/game.cpp" line="343"/>
        <source>Game Over - It&apos;s a Draw!</source>
        <translation>Игра окончена&#xa0;— ничья!</translation>
    </message>
    <message>
        <location filename="../control/game.cpp" line="351"/>
        <source>Match Over - You Win!</source>
        <extracomment>The prompt at a match&apos;s end.</extracomment>
        <translation>Матч окончен&#xa0;— вы&#xa0;выиграли!</translation>
    </message>
    <message>
        <location filename="../control/game.cpp" line="352"/>
        <source>Match Over - You Lose!</source>
        <translation>Матч окончен&#xa0;— вы&#xa0;проиграли!</translation>
    </message>
    <message>
        <location filename="../control/game.cpp" line="407"/>
        <source>Continue your unfinished match?</source>
        <extracomment>The prompt&apos;s question at start-up, answered &quot;Yes&quot; or &quot;No&quot;: the match an earlier run left unfinished.</extracomment>
        <translation>Продолжить незаконченный матч?</translation>
    </message>
    <message>
        <location filename="../control/savegame.h" line="50"/>
        <source>This file is not a Vandrel saved game.</source>
        <extracomment>An error box, when a saved game is loaded.</extracomment>
        <translation>Этот файл — не сохранённая партия Vandrel.</translation>
    </message>
    <message>
        <location filename="../rules/rules.cpp" line="118"/>
        <source>Wrong direction</source>
        <extracomment>A message box: a piece in its Base column may only go on towards its return square.</extracomment>
        <translation>Не в ту сторону</translation>
    </message>
    <message>
        <location filename="../rules/rules.cpp" line="233"/>
        <source>You can&apos;t move there!</source>
        <extracomment>The prompt: a box of two lines of 273 layout pixels in a bold 19-pixel face.</extracomment>
        <translation>Туда ходить нельзя!</translation>
    </message>
    <message>
        <location filename="../rules/rules.cpp" line="236"/>
        <source>Click the Dice!</source>
        <extracomment>The prompt. &quot;Dice&quot; is the &quot;Throw Dice&quot; button.</extracomment>
        <translation>Бросьте кубик!</translation>
    </message>
    <message>
        <location filename="../rules/rules.cpp" line="348"/>
        <source>Game Over - You Win!</source>
        <extracomment>The prompt at a game&apos;s end.</extracomment>
        <translation>Партия окончена&#xa0;— вы&#xa0;выиграли!</translation>
    </message>
    <message>
        <location filename="../rules/rules.cpp" line="349"/>
        <source>Game Over - You Lose!</source>
        <translation>Партия окончена&#xa0;— вы&#xa0;проиграли!</translation>
    </message>
</context>
<context>
    <name>vandrel::Keyboard</name>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="31"/>
        <source>New Match</source>
        <extracomment>The tooltips of the side panel&apos;s buttons, before their keys.</extracomment>
        <translation>Новый матч</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="32"/>
        <source>Play Game</source>
        <translation>Играть</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="34"/>
        <source>Throw Dice</source>
        <translation>Бросить кубик</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="36"/>
        <source>Save</source>
        <translation>Сохранить партию</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="37"/>
        <source>Load</source>
        <translation>Загрузить партию</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="38"/>
        <source>Rules: show or hide</source>
        <translation>Правила: показать или скрыть</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="39"/>
        <source>Sound on or off</source>
        <translation>Звук: включить или выключить</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="40"/>
        <source>Bye!</source>
        <translation>Пока!</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="49"/>
        <source>%1 or %2</source>
        <extracomment>Two keys that do the same: &quot;Space or D&quot;.</extracomment>
        <translation>%1 или %2</translation>
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
        <translation>Об игре Vandrel (R: ваши итоги)</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="81"/>
        <source>%1 (Escape); arrow keys move the cursor, Return clicks; H: a hint. Dots mark where the selected piece may go, a ring the piece you may send back, an orange outline the computer&apos;s last move</source>
        <extracomment>The board&apos;s tooltip: %1 is the mouse&apos;s part of it (&quot;right click to de-select piece&quot;), the keys and the marks follow.</extracomment>
        <translation>%1 (Esc); стрелки перемещают курсор, Enter — щелчок; H — подсказка. Точки отмечают, куда может пойти выделенная фишка, кольцо — фишку, которую можно отправить на базу, оранжевая рамка — последний ход компьютера</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="88"/>
        <source>Your piece: click to select it, dots then mark where it may go (H: a hint)</source>
        <extracomment>The tooltip of the player&apos;s pieces.</extracomment>
        <translation>Ваша фишка: щёлкните, чтобы выделить её, и точки покажут, куда она может пойти (H — подсказка)</translation>
    </message>
    <message>
        <location filename="../ui/window/keyboard.cpp" line="90"/>
        <source>The computer&apos;s piece: a ring marks the one you may send back (H: a hint)</source>
        <translation>Фишка компьютера: кольцо отмечает ту, которую можно отправить на базу (H — подсказка)</translation>
    </message>
</context>
<context>
    <name>vandrel::OptionsDialog</name>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="36"/>
        <source>Options</source>
        <extracomment>The options dialog&apos;s title.</extracomment>
        <translation>Настройки</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="44"/>
        <source>Games / Match</source>
        <extracomment>Left of the games per match, 168 layout pixels before the number.</extracomment>
        <translation>Партий в матче</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="72"/>
        <source>Sound FX On/Off</source>
        <extracomment>Right of its check box: 190 layout pixels up to the dialog&apos;s edge.</extracomment>
        <translation>Звук</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="85"/>
        <source>Show moves</source>
        <extracomment>Right of its check box: 190 layout pixels. The marks on the board where a selected piece may go and what the computer moved.</extracomment>
        <translation>Показывать ходы</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="92"/>
        <source>Computer:</source>
        <extracomment>Over the computer&apos;s two levels, &quot;Classic&quot; and &quot;Strong&quot;: 280 layout pixels.</extracomment>
        <translation>Компьютер:</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="100"/>
        <source>Classic</source>
        <extracomment>The computer&apos;s level as the game first had it: a choice of about 85 layout pixels beside its round button.</extracomment>
        <translation>Простой</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="105"/>
        <source>Strong</source>
        <extracomment>The computer&apos;s stronger level: a choice of about 95 layout pixels beside its round button.</extracomment>
        <translation>Сильный</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="114"/>
        <source>Cancel</source>
        <extracomment>A button of 113 x 37 layout pixels.</extracomment>
        <translation>Отмена</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="118"/>
        <source>Apply</source>
        <extracomment>A button of 113 x 37 layout pixels.</extracomment>
        <translation>Принять</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="136"/>
        <source>One game more (Up)</source>
        <extracomment>A tooltip; Up is the arrow key.</extracomment>
        <translation>На одну партию больше (стрелка вверх)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="138"/>
        <source>One game fewer (Down)</source>
        <extracomment>A tooltip; Down is the arrow key.</extracomment>
        <translation>На одну партию меньше (стрелка вниз)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="140"/>
        <source>Apply (Return)</source>
        <extracomment>A tooltip; Return is the key.</extracomment>
        <translation>Принять (Enter)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="142"/>
        <source>Cancel (Escape)</source>
        <extracomment>A tooltip; Escape is the key.</extracomment>
        <translation>Отмена (Esc)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="147"/>
        <source>One game more</source>
        <extracomment>A screen reader&apos;s name for the up arrow.</extracomment>
        <translation>На одну партию больше</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="149"/>
        <source>One game fewer</source>
        <extracomment>A screen reader&apos;s name for the down arrow.</extracomment>
        <translation>На одну партию меньше</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="154"/>
        <source>Marks on the board where a selected piece may go and what the computer moved</source>
        <extracomment>A screen reader&apos;s description of the &quot;Show moves&quot; check box.</extracomment>
        <translation>Отметки на доске: куда может пойти выделенная фишка и какой ход сделал компьютер</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/options_dialog.cpp" line="156"/>
        <source>Computer: %1</source>
        <extracomment>A screen reader&apos;s name for a level: %1 is &quot;Classic&quot; or &quot;Strong&quot;.</extracomment>
        <translation>Компьютер: %1</translation>
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
        <translation>Нет</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/prompt_dialog.cpp" line="90"/>
        <source>Yes</source>
        <extracomment>The prompt&apos;s answer to a question: a button of 58 x 37 layout pixels.</extracomment>
        <translation>Да</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/prompt_dialog.cpp" line="168"/>
        <source>Save Game</source>
        <extracomment>The title of the file dialog that saves a game.</extracomment>
        <translation>Сохранить партию</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/prompt_dialog.cpp" line="170"/>
        <source>Vandrel File (*.vdg)</source>
        <extracomment>The save dialog&apos;s file type; &quot;(*.vdg)&quot; stays as it is.</extracomment>
        <translation>Файл Vandrel (*.vdg)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/prompt_dialog.cpp" line="177"/>
        <source>Open</source>
        <extracomment>The title of the file dialog that loads a saved game.</extracomment>
        <translation>Открыть</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/prompt_dialog.cpp" line="179"/>
        <source>Vandrel Files (*.vdg)</source>
        <extracomment>The open dialog&apos;s file type; &quot;(*.vdg)&quot; stays as it is.</extracomment>
        <translation>Файлы Vandrel (*.vdg)</translation>
    </message>
</context>
<context>
    <name>vandrel::RecordDialog</name>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="25"/>
        <source>Games played</source>
        <translation>Сыграно партий</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="27"/>
        <source>Games won</source>
        <translation>Выиграно партий</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="29"/>
        <source>Games lost</source>
        <translation>Проиграно партий</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="31"/>
        <source>Matches played</source>
        <translation>Сыграно матчей</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="33"/>
        <source>Matches won</source>
        <translation>Выиграно матчей</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="35"/>
        <source>Matches lost</source>
        <translation>Проиграно матчей</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="37"/>
        <source>Matches drawn</source>
        <translation>Матчей вничью</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="39"/>
        <source>Best match score</source>
        <translation>Лучший счёт матча</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="41"/>
        <source>Longest run of games won</source>
        <translation>Лучшая серия побед</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="68"/>
        <location filename="../ui/dialogs/record_dialog.cpp" line="75"/>
        <source>Your record</source>
        <translation>Ваши итоги</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="105"/>
        <source>Clear</source>
        <extracomment>A button of the record dialog, 113 x 37 layout pixels.</extracomment>
        <translation>Сбросить</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="120"/>
        <source>OK (Return)</source>
        <translation>OK (Enter)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="121"/>
        <source>Clear your record (C)</source>
        <translation>Сбросить ваши итоги (C)</translation>
    </message>
    <message>
        <location filename="../ui/dialogs/record_dialog.cpp" line="123"/>
        <source>Clear your record</source>
        <translation>Сбросить ваши итоги</translation>
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
        <translation>Сбросить ваши итоги?</translation>
    </message>
</context>
<context>
    <name>vandrel::SfxPlayer</name>
    <message>
        <location filename="../ui/sound/sfx_player.cpp" line="107"/>
        <source>Sound effects</source>
        <extracomment>The game&apos;s sound stream in the desktop&apos;s volume control.</extracomment>
        <translation>Звуковые эффекты</translation>
    </message>
</context>
<context>
    <name>vandrel::WindowBuilder</name>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="67"/>
        <source>SFX On</source>
        <extracomment>The sound switch on the side panel, a button of 145 x 33 layout pixels.</extracomment>
        <translation>Звук вкл.</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="69"/>
        <source>SFX Off</source>
        <extracomment>The sound switch, off: a button of 145 x 33 layout pixels.</extracomment>
        <translation>Звук выкл.</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="107"/>
        <source>right click to de-select piece</source>
        <extracomment>The board&apos;s tooltip; the keys are told after it.</extracomment>
        <translation>щелчок правой кнопкой снимает выделение</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="166"/>
        <source>Score</source>
        <extracomment>The side panel&apos;s heading over the match scores, about 110 layout pixels.</extracomment>
        <translation>Счёт</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="176"/>
        <source>You</source>
        <extracomment>The player&apos;s row of the scores and of the bonus points, left of the number: about 60 layout pixels.</extracomment>
        <translation>Вы</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="179"/>
        <source>Me</source>
        <extracomment>The computer&apos;s row of the scores and of the bonus points, left of the number: about 60 layout pixels. The computer speaks as &quot;I&quot;.</extracomment>
        <translation>Я</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="198"/>
        <source>Bonus Points</source>
        <extracomment>The panel over the scores while a game runs: 145 layout pixels wide, between the &quot;You&quot; and &quot;Me&quot; rows.</extracomment>
        <translation>Бонусы</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="228"/>
        <source>Rules</source>
        <extracomment>A button of the side panel, 105 x 57 layout pixels: shows or hides the rules.</extracomment>
        <translation>Правила</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="237"/>
        <source>Throw
Dice</source>
        <extracomment>A button of the side panel, 72 x 65 layout pixels, in two lines: throws the die.</extracomment>
        <translation>Бросок</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="244"/>
        <source>Play Game</source>
        <extracomment>A button of the side panel, 145 x 57 layout pixels: starts the next game.</extracomment>
        <translation>Играть</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="252"/>
        <source>Save</source>
        <extracomment>A button of the side panel, 69 x 33 layout pixels: saves the game to a file.</extracomment>
        <translation>Сохр.</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="259"/>
        <source>Load</source>
        <extracomment>A button of the side panel, 69 x 33 layout pixels: loads a saved game.</extracomment>
        <translation>Загр.</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="267"/>
        <source>New Match</source>
        <extracomment>A button of the side panel, 145 x 65 layout pixels: opens the options and starts a new match.</extracomment>
        <translation>Новый матч</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="275"/>
        <source>Bye!</source>
        <extracomment>A button of the side panel, 145 x 65 layout pixels, a small picture at its left: leaves the game.</extracomment>
        <translation>Пока!</translation>
    </message>
    <message>
        <location filename="../ui/window/window_builder.cpp" line="308"/>
        <source>Click here to close</source>
        <extracomment>The rules text&apos;s tooltip.</extracomment>
        <translation>Щёлкните, чтобы закрыть</translation>
    </message>
</context>
</TS>
