<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>BaseReview</name>
    <message numerus="yes">
        <source>%n value</source>
        <comment>%n values</comment>
        <translation>
            <numerusform>%n value</numerusform>
            <numerusform>%n values</numerusform>
        </translation>
    </message>
</context>
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
    <name>ProblemCells</name>
    <message numerus="yes">
        <source>%n edited cell holds a line break, which would split the key line in two:</source>
        <comment>%n edited cells hold a line break, which would split the key line in two:</comment>
        <translation>
            <numerusform>%n edited cell holds a line break, which would split the key line in two:</numerusform>
            <numerusform>%n edited cells hold a line break, which would split the key line in two:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n edited cell holds %1, which no desc line can hold:</source>
        <comment>%n edited cells hold %1, which no desc line can hold:</comment>
        <translation>
            <numerusform>%n edited cell holds %1, which no desc line can hold:</numerusform>
            <numerusform>%n edited cells hold %1, which no desc line can hold:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n edited cell holds values that look wrong:</source>
        <comment>%n edited cells hold values that look wrong:</comment>
        <translation>
            <numerusform>%n edited cell holds values that look wrong:</numerusform>
            <numerusform>%n edited cells hold values that look wrong:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message numerus="yes">
        <source>%1 of %n cell change, in %2.</source>
        <comment>%1 of %n cells change, in %2.</comment>
        <translation>
            <numerusform>%1 of %n cell change, in %2.</numerusform>
            <numerusform>%1 of %n cells change, in %2.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file</source>
        <comment>%n files</comment>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell already hold the result.</source>
        <comment>%n cells already hold the result.</comment>
        <translation>
            <numerusform>%n cell already hold the result.</numerusform>
            <numerusform>%n cells already hold the result.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell</source>
        <comment>%n cells</comment>
        <translation>
            <numerusform>%n cell</numerusform>
            <numerusform>%n cells</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file below this folder matches.</source>
        <comment>%n files below this folder match.</comment>
        <translation>
            <numerusform>%n file below this folder matches.</numerusform>
            <numerusform>%n files below this folder match.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell changed only how a number is written (%1): the spreadsheet&apos;s column type Standard rewrote it. Opening the table with the column type Text keeps every cell as written.</source>
        <comment>%n cells changed only how a number is written (%1): the spreadsheet&apos;s column type Standard rewrote them. Opening the table with the column type Text keeps every cell as written.</comment>
        <translation>
            <numerusform>%n cell changed only how a number is written (%1): the spreadsheet&apos;s column type Standard rewrote it. Opening the table with the column type Text keeps every cell as written.</numerusform>
            <numerusform>%n cells changed only how a number is written (%1): the spreadsheet&apos;s column type Standard rewrote them. Opening the table with the column type Text keeps every cell as written.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds a value the spreadsheet converted (%1): its column type Standard read it as a number, percentage, date, time, money or truth value, in the language chosen in Text Import. It is not an edit, and no desc file reads it so. Opening the table with the column type Text keeps every cell as written.</source>
        <comment>%n cells hold values the spreadsheet converted (%1): its column type Standard read them as numbers, percentages, dates, times, money or truth values, in the language chosen in Text Import. They are not edits, and no desc file reads them so. Opening the table with the column type Text keeps every cell as written.</comment>
        <translation>
            <numerusform>%n cell holds a value the spreadsheet converted (%1): its column type Standard read it as a number, percentage, date, time, money or truth value, in the language chosen in Text Import. It is not an edit, and no desc file reads it so. Opening the table with the column type Text keeps every cell as written.</numerusform>
            <numerusform>%n cells hold values the spreadsheet converted (%1): its column type Standard read them as numbers, percentages, dates, times, money or truth values, in the language chosen in Text Import. They are not edits, and no desc file reads them so. Opening the table with the column type Text keeps every cell as written.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Pasted %1 of %n cell</source>
        <comment>Pasted %1 of %n cells</comment>
        <translation>
            <numerusform>Pasted %1 of %n cell</numerusform>
            <numerusform>Pasted %1 of %n cells</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n lies outside the table</source>
        <comment>; %n lie outside the table</comment>
        <translation>
            <numerusform>; %n lies outside the table</numerusform>
            <numerusform>; %n lie outside the table</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n fell on the column of paths, which is not pasted over</source>
        <comment>; %n fell on the column of paths, which is not pasted over</comment>
        <translation>
            <numerusform>; %n fell on the column of paths, which is not pasted over</numerusform>
            <numerusform>; %n fell on the column of paths, which is not pasted over</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The line breaks in %n pasted cell became blanks: a value cannot hold one, as it would split its key line.</source>
        <comment>The line breaks in %n pasted cells became blanks: a value cannot hold one, as it would split its key line.</comment>
        <translation>
            <numerusform>The line breaks in %n pasted cell became blanks: a value cannot hold one, as it would split its key line.</numerusform>
            <numerusform>The line breaks in %n pasted cells became blanks: a value cannot hold one, as it would split its key line.</numerusform>
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
<context>
    <name>SaveQuestions</name>
    <message numerus="yes">
        <source>%n file cannot be saved:</source>
        <comment>%n files cannot be saved:</comment>
        <translation>
            <numerusform>%n file cannot be saved:</numerusform>
            <numerusform>%n files cannot be saved:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Save the other files and leave this one as it is?</source>
        <comment>Save the other files and leave these as they are?</comment>
        <translation>
            <numerusform>Save the other files and leave this one as it is?</numerusform>
            <numerusform>Save the other files and leave these as they are?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file changed on disk since it was read:</source>
        <comment>%n files changed on disk since they were read:</comment>
        <translation>
            <numerusform>%n file changed on disk since it was read:</numerusform>
            <numerusform>%n files changed on disk since they were read:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Overwrite it with the tables&apos; values, or skip it?</source>
        <comment>Overwrite them with the tables&apos; values, or skip them?</comment>
        <translation>
            <numerusform>Overwrite it with the tables&apos; values, or skip it?</numerusform>
            <numerusform>Overwrite them with the tables&apos; values, or skip them?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file would change only in spelling: their key lines would be rebuilt with the values they hold (&quot;armor 45 45 40&quot; becomes &quot;armor  45 45 40 &quot;).</source>
        <comment>%n files would change only in spelling: their key lines would be rebuilt with the values they hold (&quot;armor 45 45 40&quot; becomes &quot;armor  45 45 40 &quot;).</comment>
        <translation>
            <numerusform>%n file would change only in spelling: their key lines would be rebuilt with the values they hold (&quot;armor 45 45 40&quot; becomes &quot;armor  45 45 40 &quot;).</numerusform>
            <numerusform>%n files would change only in spelling: their key lines would be rebuilt with the values they hold (&quot;armor 45 45 40&quot; becomes &quot;armor  45 45 40 &quot;).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n key line whose values did not change would be respelled (&quot;armor 45 45 40&quot; becomes &quot;armor  45 45 40 &quot;).</source>
        <comment>%n key lines whose values did not change would be respelled (&quot;armor 45 45 40&quot; becomes &quot;armor  45 45 40 &quot;).</comment>
        <translation>
            <numerusform>%n key line whose values did not change would be respelled (&quot;armor 45 45 40&quot; becomes &quot;armor  45 45 40 &quot;).</numerusform>
            <numerusform>%n key lines whose values did not change would be respelled (&quot;armor 45 45 40&quot; becomes &quot;armor  45 45 40 &quot;).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n value of the files to be saved looks wrong against the rules learned from the base game (see the Checks pane).</source>
        <comment>%n values of the files to be saved look wrong against the rules learned from the base game (see the Checks pane).</comment>
        <translation>
            <numerusform>%n value of the files to be saved looks wrong against the rules learned from the base game (see the Checks pane).</numerusform>
            <numerusform>%n values of the files to be saved look wrong against the rules learned from the base game (see the Checks pane).</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SaveReview</name>
    <message numerus="yes">
        <source>Save all would change %n file of %1, %2 in all.</source>
        <comment>Save all would change %n files of %1, %2 in all.</comment>
        <translation>
            <numerusform>Save all would change %n file of %1, %2 in all.</numerusform>
            <numerusform>Save all would change %n files of %1, %2 in all.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n key line</source>
        <comment>%n key lines</comment>
        <translation>
            <numerusform>%n key line</numerusform>
            <numerusform>%n key lines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Of these, %n key line would only be respelled, with the values they hold</source>
        <comment>Of these, %n key lines would only be respelled, with the values they hold</comment>
        <translation>
            <numerusform>Of these, %n key line would only be respelled, with the values they hold</numerusform>
            <numerusform>Of these, %n key lines would only be respelled, with the values they hold</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n file would change only in spelling</source>
        <comment>; %n files would change only in spelling</comment>
        <translation>
            <numerusform>; %n file would change only in spelling</numerusform>
            <numerusform>; %n files would change only in spelling</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message numerus="yes">
        <source>%n more path names a file opened already</source>
        <comment>%n more paths name files opened already</comment>
        <translation>
            <numerusform>%n more path names a file opened already</numerusform>
            <numerusform>%n more paths name files opened already</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The tables have unsaved changes (%n cell in %1). Save them before %2?</source>
        <comment>The tables have unsaved changes (%n cells in %1). Save them before %2?</comment>
        <translation>
            <numerusform>The tables have unsaved changes (%n cell in %1). Save them before %2?</numerusform>
            <numerusform>The tables have unsaved changes (%n cells in %1). Save them before %2?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file</source>
        <comment>%n files</comment>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TableExport</name>
    <message numerus="yes">
        <source>Exported %n rows into %1</source>
        <comment>Exported %n rows into %1</comment>
        <translation>
            <numerusform>Exported %n rows into %1</numerusform>
            <numerusform>Exported %n rows into %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VariablesQuestions</name>
    <message numerus="yes">
        <source>the open file</source>
        <comment>the %n open files</comment>
        <translation>
            <numerusform>the open file</numerusform>
            <numerusform>the %n open files</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>dravik::ui::CheckPane</name>
    <message numerus="yes">
        <source>%n check</source>
        <comment>%n checks</comment>
        <translation>
            <numerusform>%n check</numerusform>
            <numerusform>%n checks</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>dravik::ui::FindReplace</name>
    <message numerus="yes">
        <source>Replaced in %n cell of %1.</source>
        <comment>Replaced in %n cells of %1.</comment>
        <translation>
            <numerusform>Replaced in %n cell of %1.</numerusform>
            <numerusform>Replaced in %n cells of %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file</source>
        <comment>%n files</comment>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>dravik::ui::GridModel</name>
    <message numerus="yes">
        <source>This file&apos;s line of %1 has %n value</source>
        <comment>This file&apos;s line of %1 has %n values</comment>
        <translation>
            <numerusform>This file&apos;s line of %1 has %n value</numerusform>
            <numerusform>This file&apos;s line of %1 has %n values</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>dravik::ui::HistogramView</name>
    <message numerus="yes">
        <source>%1: %n value
Click to show only these rows</source>
        <comment>%1: %n values
Click to show only these rows</comment>
        <translation>
            <numerusform>%1: %n value
Click to show only these rows</numerusform>
            <numerusform>%1: %n values
Click to show only these rows</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>dravik::ui::ModActions</name>
    <message numerus="yes">
        <source>Exported %n changed value of %1 into %2.</source>
        <comment>Exported %n changed values of %1 into %2.</comment>
        <translation>
            <numerusform>Exported %n changed value of %1 into %2.</numerusform>
            <numerusform>Exported %n changed values of %1 into %2.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file</source>
        <comment>%n files</comment>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>This mod and the patch both changed %n value from the base. For each, take the patch&apos;s value or keep this mod&apos;s; the rest of the patch is applied either way.</source>
        <comment>This mod and the patch both changed %n values from the base. For each, take the patch&apos;s value or keep this mod&apos;s; the rest of the patch is applied either way.</comment>
        <translation>
            <numerusform>This mod and the patch both changed %n value from the base. For each, take the patch&apos;s value or keep this mod&apos;s; the rest of the patch is applied either way.</numerusform>
            <numerusform>This mod and the patch both changed %n values from the base. For each, take the patch&apos;s value or keep this mod&apos;s; the rest of the patch is applied either way.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Applied %n value in %1; %2 already held the patch&apos;s value.</source>
        <comment>Applied %n values in %1; %2 already held the patch&apos;s value.</comment>
        <translation>
            <numerusform>Applied %n value in %1; %2 already held the patch&apos;s value.</numerusform>
            <numerusform>Applied %n values in %1; %2 already held the patch&apos;s value.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Of %n conflict, %1 took the patch&apos;s value and %2 kept this mod&apos;s.</source>
        <comment>Of %n conflicts, %1 took the patch&apos;s value and %2 kept this mod&apos;s.</comment>
        <translation>
            <numerusform>Of %n conflict, %1 took the patch&apos;s value and %2 kept this mod&apos;s.</numerusform>
            <numerusform>Of %n conflicts, %1 took the patch&apos;s value and %2 kept this mod&apos;s.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n line of the patch could not be applied:</source>
        <comment>%n lines of the patch could not be applied:</comment>
        <translation>
            <numerusform>%n line of the patch could not be applied:</numerusform>
            <numerusform>%n lines of the patch could not be applied:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file differs from the base</source>
        <comment>%n files differ from the base</comment>
        <translation>
            <numerusform>%n file differs from the base</numerusform>
            <numerusform>%n files differ from the base</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>dravik::ui::ModSetActions</name>
    <message numerus="yes">
        <source>%1: %n conflict</source>
        <comment>%1: %n conflicts</comment>
        <translation>
            <numerusform>%1: %n conflict</numerusform>
            <numerusform>%1: %n conflicts</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file written, %1 unchanged, %2 removed; the report is %3</source>
        <comment>%n files written, %1 unchanged, %2 removed; the report is %3</comment>
        <translation>
            <numerusform>%n file written, %1 unchanged, %2 removed; the report is %3</numerusform>
            <numerusform>%n files written, %1 unchanged, %2 removed; the report is %3</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>dravik::ui::SummaryPanel</name>
    <message numerus="yes">
        <source>%1: %n column selected</source>
        <comment>%1: %n columns selected</comment>
        <translation>
            <numerusform>%1: %n column selected</numerusform>
            <numerusform>%1: %n columns selected</numerusform>
        </translation>
    </message>
</context>
</TS>
