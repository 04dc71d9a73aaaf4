<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Messages</name>
    <message numerus="yes">
        <source>%n file(s) renamed and listed.</source>
        <translation>
            <numerusform>%n file was renamed and is listed.</numerusform>
            <numerusform>%n files were renamed and are listed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) held no spaces and kept their names; listed.</source>
        <translation>
            <numerusform>%n file held no space and kept its name; it is listed.</numerusform>
            <numerusform>%n files held no spaces and kept their names; they are listed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 and %2; all %n are listed.</source>
        <translation>
            <numerusform>%1 and %2; it is listed.</numerusform>
            <numerusform>%1 and %2; all %n are listed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) renamed</source>
        <translation>
            <numerusform>%n file was renamed</numerusform>
            <numerusform>%n files were renamed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n kept their names</source>
        <translation>
            <numerusform>%n kept its name</numerusform>
            <numerusform>%n kept their names</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) left as they were.</source>
        <translation>
            <numerusform>%n file was left as it was.</numerusform>
            <numerusform>%n files were left as they were.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>This file and the %n file(s) after it were left as they were.</source>
        <translation>
            <numerusform>This file and the file after it were left as they were.</numerusform>
            <numerusform>This file and the %n files after it were left as they were.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) got their old names back.</source>
        <translation>
            <numerusform>%n file got its old name back.</numerusform>
            <numerusform>%n files got their old names back.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The %n file(s) renamed after it got their old names back.</source>
        <translation>
            <numerusform>The file renamed after it got its old name back.</numerusform>
            <numerusform>The %n files renamed after it got their old names back.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) keep their new names.</source>
        <translation>
            <numerusform>%n file keeps its new name.</numerusform>
            <numerusform>%n files keep their new names.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>This file and the %n file(s) renamed before it keep their new names.</source>
        <translation>
            <numerusform>This file and the file renamed before it keep their new names.</numerusform>
            <numerusform>This file and the %n files renamed before it keep their new names.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The %n file(s) after it were left as they were.</source>
        <translation>
            <numerusform>The file after it was left as it was.</numerusform>
            <numerusform>The %n files after it were left as they were.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The %n file(s) renamed before it keep their new names.</source>
        <translation>
            <numerusform>The file renamed before it keeps its new name.</numerusform>
            <numerusform>The %n files renamed before it keep their new names.</numerusform>
        </translation>
    </message>
</context>
</TS>
