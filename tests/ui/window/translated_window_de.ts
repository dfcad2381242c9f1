<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A few finished German texts for the window's tests, the words in
     another order than the English where a sentence has two squares. -->
<TS version="2.1" language="de_DE">
<context>
    <name>vandrel::Game</name>
    <message>
        <source>Click the Dice!</source>
        <translation>Würfeln!</translation>
    </message>
    <message>
        <source>column %1, row %2</source>
        <translation>Reihe %2, Spalte %1</translation>
    </message>
    <message>
        <source>the left Base column, row %1</source>
        <translation>linke Basisspalte, Reihe %1</translation>
    </message>
    <message>
        <source>Hint: move your piece from %1 to %2</source>
        <translation>Tipp: nach %2 von %1</translation>
    </message>
</context>
<context>
    <name>vandrel::WindowBuilder</name>
    <message>
        <source>Throw
Dice</source>
        <translation>Wür-
feln</translation>
    </message>
    <message>
        <source>SFX On</source>
        <translation>Ton an</translation>
    </message>
</context>
<context>
    <name>vandrel::Accessibility</name>
    <message>
        <source>Your piece, %1</source>
        <translation>Dein Stein, %1</translation>
    </message>
</context>
</TS>
