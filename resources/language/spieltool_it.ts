<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>TerminalSaver</name>
    <message>
        <source>Terminal speichern…</source>
        <translation>Salva terminale…</translation>
    </message>
    <message>
        <source>Terminal speichern</source>
        <translation>Salva terminale</translation>
    </message>
    <message>
        <source>Textdateien (*.txt);;Alle Dateien (*)</source>
        <translation>File di testo (*.txt);;Tutti i file (*)</translation>
    </message>
    <message>
        <source>Die Datei %1 konnte nicht geschrieben werden: %2</source>
        <translation>Impossibile scrivere il file %1: %2</translation>
    </message>
</context>
</TS>
