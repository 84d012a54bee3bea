<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Export</name>
    <message numerus="yes">
        <source>%n cell of the table cannot be read back by Import table as written:
</source>
        <comment>%n cells of the table cannot be read back by Import table as written:
</comment>
        <translation>
            <numerusform>%n cell of the table cannot be read back by Import table as written:
</numerusform>
            <numerusform>%n cells of the table cannot be read back by Import table as written:
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds byte 26 (Ctrl+Z): reading the table stops there and loses every row after it</source>
        <comment>%n cells hold byte 26 (Ctrl+Z): reading the table stops there and loses every row after it</comment>
        <translation>
            <numerusform>%n cell holds byte 26 (Ctrl+Z): reading the table stops there and loses every row after it</numerusform>
            <numerusform>%n cells hold byte 26 (Ctrl+Z): reading the table stops there and loses every row after it</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds a line break: the import splits its row</source>
        <comment>%n cells hold a line break: the import splits its row</comment>
        <translation>
            <numerusform>%n cell holds a line break: the import splits its row</numerusform>
            <numerusform>%n cells hold a line break: the import splits its row</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds a TAB: the import splits it into two cells</source>
        <comment>%n cells hold a TAB: the import splits it into two cells</comment>
        <translation>
            <numerusform>%n cell holds a TAB: the import splits it into two cells</numerusform>
            <numerusform>%n cells hold a TAB: the import splits it into two cells</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds &quot;~&quot;: the import drops it</source>
        <comment>%n cells hold &quot;~&quot;: the import drops it</comment>
        <translation>
            <numerusform>%n cell holds &quot;~&quot;: the import drops it</numerusform>
            <numerusform>%n cells hold &quot;~&quot;: the import drops it</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n desc file has a path that the system&apos;s code page (%1) cannot write. The table shows &quot;?&quot; for those letters, so it cannot name these files, and Import table refuses a table while they are open:</source>
        <comment>%n desc files have paths that the system&apos;s code page (%1) cannot write. The table shows &quot;?&quot; for those letters, so it cannot name these files, and Import table refuses a table while they are open:</comment>
        <translation>
            <numerusform>%n desc file has a path that the system&apos;s code page (%1) cannot write. The table shows &quot;?&quot; for those letters, so it cannot name these files, and Import table refuses a table while they are open:</numerusform>
            <numerusform>%n desc files have paths that the system&apos;s code page (%1) cannot write. The table shows &quot;?&quot; for those letters, so it cannot name these files, and Import table refuses a table while they are open:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Import</name>
    <message numerus="yes">
        <source>%n cell holds &quot;?&quot; where the tables hold letters: the spreadsheet read or saved the table in a character set without those letters.
</source>
        <comment>%n cells hold &quot;?&quot; where the tables hold letters: the spreadsheet read or saved the table in a character set without those letters.
</comment>
        <translation>
            <numerusform>%n cell holds &quot;?&quot; where the tables hold letters: the spreadsheet read or saved the table in a character set without those letters.
</numerusform>
            <numerusform>%n cells hold &quot;?&quot; where the tables hold letters: the spreadsheet read or saved the table in a character set without those letters.
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds &quot;?&quot; in text typed into the table where the tables hold none: likely letters that the table&apos;s character set could not hold.
</source>
        <comment>%n cells hold &quot;?&quot; in text typed into the table where the tables hold none: likely letters that the table&apos;s character set could not hold.
</comment>
        <translation>
            <numerusform>%n cell holds &quot;?&quot; in text typed into the table where the tables hold none: likely letters that the table&apos;s character set could not hold.
</numerusform>
            <numerusform>%n cells hold &quot;?&quot; in text typed into the table where the tables hold none: likely letters that the table&apos;s character set could not hold.
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell gained or lost the quotes a spreadsheet puts around a text (inner quotes doubled): the table was read or saved with &quot; as the string delimiter.
</source>
        <comment>%n cells gained or lost the quotes a spreadsheet puts around a text (inner quotes doubled): the table was read or saved with &quot; as the string delimiter.
</comment>
        <translation>
            <numerusform>%n cell gained or lost the quotes a spreadsheet puts around a text (inner quotes doubled): the table was read or saved with &quot; as the string delimiter.
</numerusform>
            <numerusform>%n cells gained or lost the quotes a spreadsheet puts around a text (inner quotes doubled): the table was read or saved with &quot; as the string delimiter.
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds a value the spreadsheet converted into another value or wrote as its language writes numbers; no desc file reads it so:
</source>
        <comment>%n cells hold values the spreadsheet converted into other values or wrote as its language writes numbers; no desc file reads them so:
</comment>
        <translation>
            <numerusform>%n cell holds a value the spreadsheet converted into another value or wrote as its language writes numbers; no desc file reads it so:
</numerusform>
            <numerusform>%n cells hold values the spreadsheet converted into other values or wrote as its language writes numbers; no desc file reads them so:
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell changed only how a number is written:
</source>
        <comment>%n cells changed only how a number is written:
</comment>
        <translation>
            <numerusform>%n cell changed only how a number is written:
</numerusform>
            <numerusform>%n cells changed only how a number is written:
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n desc file has a path that the system&apos;s code page (%1) cannot write. A table shows &quot;?&quot; for those letters and cannot name these files, so Import table cannot place their rows; nothing was imported. Give them names the code page can write, or open them without the others:</source>
        <comment>%n desc files have paths that the system&apos;s code page (%1) cannot write. A table shows &quot;?&quot; for those letters and cannot name these files, so Import table cannot place their rows; nothing was imported. Give them names the code page can write, or open them without the others:</comment>
        <translation>
            <numerusform>%n desc file has a path that the system&apos;s code page (%1) cannot write. A table shows &quot;?&quot; for those letters and cannot name these files, so Import table cannot place their rows; nothing was imported. Give them names the code page can write, or open them without the others:</numerusform>
            <numerusform>%n desc files have paths that the system&apos;s code page (%1) cannot write. A table shows &quot;?&quot; for those letters and cannot name these files, so Import table cannot place their rows; nothing was imported. Give them names the code page can write, or open them without the others:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n desc file given is not in it:</source>
        <comment>%n desc files given are not in it:</comment>
        <translation>
            <numerusform>%n desc file given is not in it:</numerusform>
            <numerusform>%n desc files given are not in it:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file it names is not given:</source>
        <comment>%n files it names are not given:</comment>
        <translation>
            <numerusform>%n file it names is not given:</numerusform>
            <numerusform>%n files it names are not given:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The table holds %n replacement character (the bytes EF BF BD) that the values it replaces do not: a program that read it in another character set put it in place of a character it could not read. Open the exported table again with the character set %1 (Text Import: Character set), save it with the same, and redo the edits.
</source>
        <comment>The table holds %n replacement characters (the bytes EF BF BD) that the values it replaces do not: a program that read it in another character set put them in place of the characters it could not read. Open the exported table again with the character set %1 (Text Import: Character set), save it with the same, and redo the edits.
</comment>
        <translation>
            <numerusform>The table holds %n replacement character (the bytes EF BF BD) that the values it replaces do not: a program that read it in another character set put it in place of a character it could not read. Open the exported table again with the character set %1 (Text Import: Character set), save it with the same, and redo the edits.
</numerusform>
            <numerusform>The table holds %n replacement characters (the bytes EF BF BD) that the values it replaces do not: a program that read it in another character set put them in place of the characters it could not read. Open the exported table again with the character set %1 (Text Import: Character set), save it with the same, and redo the edits.
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n column of the table has a header that the tables do not have, and the import left it out: it places each column by its header (a key&apos;s name in the block&apos;s header row), so a column inserted for notes moves no value. Type values into their key&apos;s own column.
</source>
        <comment>%n columns of the table have headers that the tables do not have, and the import left them out: it places each column by its header (a key&apos;s name in the block&apos;s header row), so a column inserted for notes moves no value. Type values into their key&apos;s own column.
</comment>
        <translation>
            <numerusform>%n column of the table has a header that the tables do not have, and the import left it out: it places each column by its header (a key&apos;s name in the block&apos;s header row), so a column inserted for notes moves no value. Type values into their key&apos;s own column.
</numerusform>
            <numerusform>%n columns of the table have headers that the tables do not have, and the import left them out: it places each column by its header (a key&apos;s name in the block&apos;s header row), so a column inserted for notes moves no value. Type values into their key&apos;s own column.
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (line %2), column %3, without a header: %n cell with text</source>
        <comment>%1 (line %2), column %3, without a header: %n cells with text</comment>
        <translation>
            <numerusform>%1 (line %2), column %3, without a header: %n cell with text</numerusform>
            <numerusform>%1 (line %2), column %3, without a header: %n cells with text</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (line %2), column %3, &quot;%4&quot;: %n cell with text</source>
        <comment>%1 (line %2), column %3, &quot;%4&quot;: %n cells with text</comment>
        <translation>
            <numerusform>%1 (line %2), column %3, &quot;%4&quot;: %n cell with text</numerusform>
            <numerusform>%1 (line %2), column %3, &quot;%4&quot;: %n cells with text</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The table lacks the column of %n value that the tables have, and nothing was imported: the import places each column by its header (a key&apos;s name in the block&apos;s header row, the row whose column B reads &quot;File name&quot;), so it cannot tell where that value went:
</source>
        <comment>The table lacks the columns of %n values that the tables have, and nothing was imported: the import places each column by its header (a key&apos;s name in the block&apos;s header row, the row whose column B reads &quot;File name&quot;), so it cannot tell where those values went:
</comment>
        <translation>
            <numerusform>The table lacks the column of %n value that the tables have, and nothing was imported: the import places each column by its header (a key&apos;s name in the block&apos;s header row, the row whose column B reads &quot;File name&quot;), so it cannot tell where that value went:
</numerusform>
            <numerusform>The table lacks the columns of %n values that the tables have, and nothing was imported: the import places each column by its header (a key&apos;s name in the block&apos;s header row, the row whose column B reads &quot;File name&quot;), so it cannot tell where those values went:
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Left as it was, since the table names none of the desc files in it: %1.
</source>
        <comment>Left as they were, since the table names none of the desc files in them: %1.
</comment>
        <translation>
            <numerusform>Left as it was, since the table names none of the desc files in it: %1.
</numerusform>
            <numerusform>Left as they were, since the table names none of the desc files in them: %1.
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row of the table is wider than the header row of its block: a value holding a TAB was split in two, and every later value of the row moved one column on.
</source>
        <comment>%n rows of the table are wider than the header row of its block: a value holding a TAB was split in two, and every later value of the row moved one column on.
</comment>
        <translation>
            <numerusform>%n row of the table is wider than the header row of its block: a value holding a TAB was split in two, and every later value of the row moved one column on.
</numerusform>
            <numerusform>%n rows of the table are wider than the header row of its block: a value holding a TAB was split in two, and every later value of the row moved one column on.
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (line %2), %3: %n cell too many</source>
        <comment>%1 (line %2), %3: %n cells too many</comment>
        <translation>
            <numerusform>%1 (line %2), %3: %n cell too many</numerusform>
            <numerusform>%1 (line %2), %3: %n cells too many</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The &quot;File list&quot; of the table names %n file that is not open, and Import table writes only into the open desc files; nothing was imported:</source>
        <comment>The &quot;File list&quot; of the table names %n files that are not open, and Import table writes only into the open desc files; nothing was imported:</comment>
        <translation>
            <numerusform>The &quot;File list&quot; of the table names %n file that is not open, and Import table writes only into the open desc files; nothing was imported:</numerusform>
            <numerusform>The &quot;File list&quot; of the table names %n files that are not open, and Import table writes only into the open desc files; nothing was imported:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Save all</name>
    <message numerus="yes">
        <source>%n desc file changed on disk since it was read (&quot;%1&quot; and %2 more); nothing was written</source>
        <comment>%n desc files changed on disk since they were read (&quot;%1&quot; and %2 more); nothing was written</comment>
        <translation>
            <numerusform>%n desc file changed on disk since it was read (&quot;%1&quot; and %2 more); nothing was written</numerusform>
            <numerusform>%n desc files changed on disk since they were read (&quot;%1&quot; and %2 more); nothing was written</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n desc file changed on disk while it was being saved and was left as it is (&quot;%1&quot; and %2 more); %3 of %4 files were written</source>
        <comment>%n desc files changed on disk while they were being saved and were left as they are (&quot;%1&quot; and %2 more); %3 of %4 files were written</comment>
        <translation>
            <numerusform>%n desc file changed on disk while it was being saved and was left as it is (&quot;%1&quot; and %2 more); %3 of %4 files were written</numerusform>
            <numerusform>%n desc files changed on disk while they were being saved and were left as they are (&quot;%1&quot; and %2 more); %3 of %4 files were written</numerusform>
        </translation>
    </message>
</context>
</TS>
