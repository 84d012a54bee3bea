<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="en">
<context>
    <name>Base game</name>
    <message>
        <source>Open the mod&apos;s desc files first, then compare them with the base</source>
        <translation>Сначала откройте desc-файлы мода, затем сравните их с оригиналом</translation>
    </message>
    <message>
        <source>%1: the key &quot;%2&quot; has a line only in this mod&apos;s file</source>
        <translation>%1: строка ключа «%2» есть только в файле этого мода</translation>
    </message>
    <message>
        <source>%1: the key &quot;%2&quot; has a line only in the base file</source>
        <translation>%1: строка ключа «%2» есть только в файле оригинала</translation>
    </message>
    <message>
        <source>%1: value %2 of &quot;%3&quot; holds a TAB or a line break</source>
        <translation>%1: значение %2 ключа «%3» содержит TAB или перевод строки</translation>
    </message>
    <message>
        <source>%1: new in this mod, the base has no such file</source>
        <translation>%1: новый в этом моде, в оригинале такого файла нет</translation>
    </message>
    <message>
        <source>The section tables are not laid out as the variables text now says; open the files again with it first</source>
        <translation>Таблицы секций построены не так, как сейчас велит текст переменных; сначала откройте файлы заново с ним</translation>
    </message>
</context>
<context>
    <name>BaseReview</name>
    <message>
        <source>(no line for the key)</source>
        <translation>(нет строки ключа)</translation>
    </message>
    <message>
        <source>Against the base game</source>
        <translation>Относительно оригинала</translation>
    </message>
    <message>
        <source>  (new in this mod)</source>
        <translation>  (новый в этом моде)</translation>
    </message>
    <message>
        <source>Against the base game in %1: %2 of %3 files differ, in %4; %5 are new in this mod.</source>
        <translation>Относительно оригинала в %1: отличаются %2 из %3 файлов, всего %4; новых в этом моде: %5.</translation>
    </message>
    <message numerus="yes">
        <source>%n value</source>
        <comment>%n values</comment>
        <translation>
            <numerusform>%n значение</numerusform>
            <numerusform>%n значения</numerusform>
            <numerusform>%n значений</numerusform>
        </translation>
    </message>
    <message>
        <source>  base  </source>
        <extracomment>Review of a mod: the label before the base game&apos;s key line; keep the label for this mod&apos;s as wide, so that the two lines stand aligned.</extracomment>
        <translation>  ориг. </translation>
    </message>
    <message>
        <source>  mod   </source>
        <extracomment>Review of a mod: the label before this mod&apos;s key line, as wide as the base&apos;s.</extracomment>
        <translation>  мод   </translation>
    </message>
</context>
<context>
    <name>Checks</name>
    <message>
        <source>%1: the base game&apos;s files have %6 to %7 (%4 files); this is %5</source>
        <translation>%1: в файлах оригинальной игры от %6 до %7 (файлов: %4); здесь %5</translation>
    </message>
    <message>
        <source>%1: the base game&apos;s %2 have %6 to %7 (%4 files); this is %5</source>
        <translation>%1: в оригинальной игре у %2 от %6 до %7 (файлов: %4); здесь %5</translation>
    </message>
    <message>
        <source>%1: the base game&apos;s files with %3 %2 have %6 to %7 (%4 files); this is %5</source>
        <translation>%1: в файлах оригинальной игры с %3 %2 от %6 до %7 (файлов: %4); здесь %5</translation>
    </message>
    <message>
        <source>%1: the base game&apos;s files hold one of %8 (%4 files); this is &quot;%5&quot;</source>
        <translation>%1: в файлах оригинальной игры одно из: %8 (файлов: %4); здесь «%5»</translation>
    </message>
    <message>
        <source>%1: the base game&apos;s %2 hold one of %8 (%4 files); this is &quot;%5&quot;</source>
        <translation>%1: в оригинальной игре у %2 одно из: %8 (файлов: %4); здесь «%5»</translation>
    </message>
    <message>
        <source>%1: the base game&apos;s files with %3 %2 hold one of %8 (%4 files); this is &quot;%5&quot;</source>
        <translation>%1: в файлах оригинальной игры с %3 %2 одно из: %8 (файлов: %4); здесь «%5»</translation>
    </message>
    <message>
        <source>%1: the base game&apos;s files hold whole numbers (%4 files); this is %5</source>
        <translation>%1: в файлах оригинальной игры целые числа (файлов: %4); здесь %5</translation>
    </message>
    <message>
        <source>%1: decimal places in the base game&apos;s files: %9 (%4 files); this is %5</source>
        <translation>%1: знаков после точки в файлах оригинальной игры: %9 (файлов: %4); здесь %5</translation>
    </message>
    <message>
        <source>%1: the base game&apos;s files hold numbers (%4 files); this is &quot;%5&quot;</source>
        <translation>%1: в файлах оригинальной игры числа (файлов: %4); здесь «%5»</translation>
    </message>
    <message>
        <source>%1: the base game&apos;s files name files that exist (%4 files); &quot;%5&quot; names none in the base game or this mod</source>
        <translation>%1: файлы оригинальной игры называют существующие файлы (файлов: %4); «%5» не называет ни одного файла оригинальной игры или этого мода</translation>
    </message>
    <message>
        <source>%1: %5</source>
        <translation>%1: %5</translation>
    </message>
</context>
<context>
    <name>ChildWait</name>
    <message>
        <source>Waiting for %1 to end</source>
        <translation>Ожидание завершения %1</translation>
    </message>
</context>
<context>
    <name>EditHistory</name>
    <message>
        <source>Typing</source>
        <translation>Ввод</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Вставка</translation>
    </message>
    <message>
        <source>Set selection</source>
        <translation>Изменение выделенного</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Замена</translation>
    </message>
    <message>
        <source>Replace all</source>
        <translation>Замена всех вхождений</translation>
    </message>
    <message>
        <source>Export table</source>
        <translation>Экспорт таблицы</translation>
    </message>
    <message>
        <source>Import table</source>
        <translation>Импорт таблицы</translation>
    </message>
    <message>
        <source>Clear summary table</source>
        <translation>Очистка сводной таблицы</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Возврат к значениям с диска</translation>
    </message>
    <message>
        <source>Revert to base values</source>
        <translation>Возврат к значениям оригинала</translation>
    </message>
    <message>
        <source>Apply patch</source>
        <translation>Применение патча</translation>
    </message>
    <message>
        <source>Save current</source>
        <translation>Сохранение текущего</translation>
    </message>
    <message>
        <source>Accept value</source>
        <translation>Принять значение</translation>
    </message>
    <message>
        <source>Relax rule</source>
        <translation>Ослабить правило</translation>
    </message>
    <message>
        <source>Stop checking column</source>
        <translation>Не проверять столбец</translation>
    </message>
    <message>
        <source>Choose a value</source>
        <translation>Выбор значения</translation>
    </message>
    <message>
        <source>Choose for a key</source>
        <translation>Выбор для ключа</translation>
    </message>
    <message>
        <source>Reorder mods</source>
        <translation>Порядок модов</translation>
    </message>
</context>
<context>
    <name>Errors</name>
    <message>
        <source>%1 at position %2</source>
        <translation>%1 в позиции %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«%1» — недопустимое целое значение</translation>
    </message>
    <message>
        <source>The tables cannot hold the values of &quot;%1&quot;: its count %2 is too large</source>
        <translation>Таблицы не вмещают значения «%1»: их число %2 слишком велико</translation>
    </message>
    <message>
        <source>Unknown code page &quot;%1&quot;</source>
        <translation>Неизвестная кодовая страница «%1»</translation>
    </message>
</context>
<context>
    <name>Export</name>
    <message>
        <source>byte 26</source>
        <translation>байт 26</translation>
    </message>
    <message>
        <source>line break</source>
        <translation>перевод строки</translation>
    </message>
    <message>
        <source>TAB</source>
        <translation>TAB</translation>
    </message>
    <message>
        <source>&quot;~&quot;</source>
        <translation>&quot;~&quot;</translation>
    </message>
    <message numerus="yes">
        <source>%n cell of the table cannot be read back by Import table as written:
</source>
        <comment>%n cells of the table cannot be read back by Import table as written:
</comment>
        <translation>
            <numerusform>Импорт таблицы не сможет прочитать %n ячейку таблицы в записанном виде:
</numerusform>
            <numerusform>Импорт таблицы не сможет прочитать %n ячейки таблицы в записанном виде:
</numerusform>
            <numerusform>Импорт таблицы не сможет прочитать %n ячеек таблицы в записанном виде:
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds byte 26 (Ctrl+Z): reading the table stops there and loses every row after it</source>
        <comment>%n cells hold byte 26 (Ctrl+Z): reading the table stops there and loses every row after it</comment>
        <translation>
            <numerusform>В %n ячейке байт 26 (Ctrl+Z): чтение таблицы на нём остановится, и все строки после него пропадут</numerusform>
            <numerusform>В %n ячейках байт 26 (Ctrl+Z): чтение таблицы на нём остановится, и все строки после него пропадут</numerusform>
            <numerusform>В %n ячейках байт 26 (Ctrl+Z): чтение таблицы на нём остановится, и все строки после него пропадут</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds a line break: the import splits its row</source>
        <comment>%n cells hold a line break: the import splits its row</comment>
        <translation>
            <numerusform>В %n ячейке перевод строки: импорт разобьёт её строку</numerusform>
            <numerusform>В %n ячейках перевод строки: импорт разобьёт их строки</numerusform>
            <numerusform>В %n ячейках перевод строки: импорт разобьёт их строки</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds a TAB: the import splits it into two cells</source>
        <comment>%n cells hold a TAB: the import splits it into two cells</comment>
        <translation>
            <numerusform>В %n ячейке TAB: импорт разобьёт её на две ячейки</numerusform>
            <numerusform>В %n ячейках TAB: импорт разобьёт каждую на две ячейки</numerusform>
            <numerusform>В %n ячейках TAB: импорт разобьёт каждую на две ячейки</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds &quot;~&quot;: the import drops it</source>
        <comment>%n cells hold &quot;~&quot;: the import drops it</comment>
        <translation>
            <numerusform>В %n ячейке &quot;~&quot;: импорт его отбросит</numerusform>
            <numerusform>В %n ячейках &quot;~&quot;: импорт его отбросит</numerusform>
            <numerusform>В %n ячейках &quot;~&quot;: импорт его отбросит</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, header row, &quot;%2&quot; value %3: %4</source>
        <translation>%1, строка заголовков, «%2», значение %3: %4</translation>
    </message>
    <message>
        <source>%1, header row, &quot;%2&quot;: %3</source>
        <translation>%1, строка заголовков, «%2»: %3</translation>
    </message>
    <message>
        <source>%1, %2, &quot;%3&quot; value %4: %5</source>
        <translation>%1, %2, «%3», значение %4: %5</translation>
    </message>
    <message>
        <source>%1, %2, &quot;%3&quot;: %4</source>
        <translation>%1, %2, «%3»: %4</translation>
    </message>
    <message numerus="yes">
        <source>%n desc file has a path that the system&apos;s code page (%1) cannot write. The table shows &quot;?&quot; for those letters, so it cannot name these files, and Import table refuses a table while they are open:</source>
        <comment>%n desc files have paths that the system&apos;s code page (%1) cannot write. The table shows &quot;?&quot; for those letters, so it cannot name these files, and Import table refuses a table while they are open:</comment>
        <translation>
            <numerusform>Путь %n desc-файла содержит буквы, которых нет в кодовой странице системы (%1). Таблица показывает вместо них «?» и не может назвать такие файлы, а «Импорт таблицы» не принимает таблицу, пока они открыты:</numerusform>
            <numerusform>Пути %n desc-файлов содержат буквы, которых нет в кодовой странице системы (%1). Таблица показывает вместо них «?» и не может назвать такие файлы, а «Импорт таблицы» не принимает таблицу, пока они открыты:</numerusform>
            <numerusform>Пути %n desc-файлов содержат буквы, которых нет в кодовой странице системы (%1). Таблица показывает вместо них «?» и не может назвать такие файлы, а «Импорт таблицы» не принимает таблицу, пока они открыты:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Expressions</name>
    <message>
        <source>Unexpected &quot;%1&quot;</source>
        <translation>Неожиданное «%1»</translation>
    </message>
    <message>
        <source>Nested too deeply</source>
        <translation>Слишком глубокая вложенность</translation>
    </message>
    <message>
        <source>Expected a number, x or &quot;(&quot;</source>
        <translation>Ожидалось число, x или «(»</translation>
    </message>
    <message>
        <source>Expected &quot;)&quot;</source>
        <translation>Ожидалась «)»</translation>
    </message>
    <message>
        <source>Not a number: &quot;%1&quot;</source>
        <translation>Не число: «%1»</translation>
    </message>
    <message>
        <source>Expected a number, x or &quot;(&quot; instead of &quot;%1&quot;</source>
        <translation>Ожидалось число, x или «(» вместо «%1»</translation>
    </message>
    <message>
        <source>Unknown name &quot;%1&quot;</source>
        <translation>Неизвестное имя «%1»</translation>
    </message>
    <message>
        <source>Expected &quot;(&quot; after &quot;%1&quot;</source>
        <translation>Ожидалась «(» после «%1»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; takes one value</source>
        <translation>«%1» принимает одно значение</translation>
    </message>
    <message>
        <source>Expected a value or an expression</source>
        <translation>Ожидалось значение или выражение</translation>
    </message>
    <message>
        <source>A value cannot hold a line break</source>
        <translation>Значение не может содержать перевод строки</translation>
    </message>
    <message>
        <source>Expected a value after &quot;=&quot;</source>
        <translation>Ожидалось значение после «=»</translation>
    </message>
    <message>
        <source>Division by zero or a number too large</source>
        <translation>Деление на ноль или слишком большое число</translation>
    </message>
    <message>
        <source>to set a text, write &apos;%1</source>
        <translation>чтобы задать текст, пишите &apos;%1</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Не удаётся открыть файл «%1». %2</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Не удаётся создать файл «%1». %2</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>Это не обычный файл</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Файл не найден</translation>
    </message>
    <message>
        <source>Invalid filename</source>
        <translation>Недопустимое имя файла</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>Слишком много открытых файлов</translation>
    </message>
    <message>
        <source>File access denied</source>
        <translation>Доступ к файлу запрещён</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Диск переполнен</translation>
    </message>
    <message>
        <source>I/O error %1</source>
        <translation>Ошибка ввода-вывода %1</translation>
    </message>
    <message>
        <source>No program is reading from the FIFO</source>
        <translation>Ни одна программа не читает из FIFO</translation>
    </message>
    <message>
        <source>Another Dravik 2 is saving this file; try again when it has finished</source>
        <translation>Этот файл сейчас сохраняет другой Dravik 2; повторите, когда он закончит</translation>
    </message>
    <message>
        <source>It holds more than %1 files and folders</source>
        <translation>В ней больше %1 файлов и папок</translation>
    </message>
    <message>
        <source>Cannot open folder &quot;%1&quot;. %2</source>
        <translation>Не удаётся открыть папку «%1». %2</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Не удаётся записать в %1</translation>
    </message>
    <message>
        <source>%1 (at most %2 files may be open at once)</source>
        <translation>%1 (одновременно можно открыть не более %2 файлов)</translation>
    </message>
</context>
<context>
    <name>Filters</name>
    <message>
        <source>Expected a regular expression between the slashes</source>
        <translation>Ожидалось регулярное выражение между косыми чертами</translation>
    </message>
    <message>
        <source>Expected a number after &quot;%1&quot;</source>
        <translation>Ожидалось число после «%1»</translation>
    </message>
    <message>
        <source>Expected the name of a mod after &quot;mod:&quot;</source>
        <translation>Ожидалось имя мода после «mod:»</translation>
    </message>
</context>
<context>
    <name>Import</name>
    <message>
        <source>thousands separator or decimal comma</source>
        <translation>разделитель тысяч или десятичная запятая</translation>
    </message>
    <message>
        <source>percent</source>
        <translation>проценты</translation>
    </message>
    <message>
        <source>time</source>
        <translation>время</translation>
    </message>
    <message>
        <source>date</source>
        <translation>дата</translation>
    </message>
    <message>
        <source>currency</source>
        <translation>денежная сумма</translation>
    </message>
    <message>
        <source>truth value</source>
        <translation>логическое значение</translation>
    </message>
    <message>
        <source>number beyond a spreadsheet&apos;s range</source>
        <translation>число вне диапазона табличного редактора</translation>
    </message>
    <message>
        <source>%1, %2, &quot;%3&quot;: &quot;%4&quot; -&gt; &quot;%5&quot; (%6)</source>
        <translation>%1, %2, «%3»: «%4» -&gt; «%5» (%6)</translation>
    </message>
    <message>
        <source>%1, %2, &quot;%3&quot;: &quot;%4&quot; -&gt; &quot;%5&quot;</source>
        <translation>%1, %2, «%3»: «%4» -&gt; «%5»</translation>
    </message>
    <message>
        <source>Open the exported table again with every column&apos;s type set to Text (Text Import: Column type: Text), make every cell Text before editing (select the whole sheet, then Format &gt; Cells &gt; Numbers &gt; Category: Text), and redo the edits.
</source>
        <translation>Откройте экспортированную таблицу заново, задав всем столбцам тип «Текст» (Импорт текста: Тип столбца: Текст), сделайте все ячейки текстовыми до правки (выделите весь лист, затем Формат &gt; Ячейки &gt; Числа &gt; Категория: Текст) и повторите правки.
</translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds &quot;?&quot; where the tables hold letters: the spreadsheet read or saved the table in a character set without those letters.
</source>
        <comment>%n cells hold &quot;?&quot; where the tables hold letters: the spreadsheet read or saved the table in a character set without those letters.
</comment>
        <translation>
            <numerusform>В %n ячейке «?» там, где в таблицах буквы: табличный редактор прочитал или сохранил таблицу в кодировке без этих букв.
</numerusform>
            <numerusform>В %n ячейках «?» там, где в таблицах буквы: табличный редактор прочитал или сохранил таблицу в кодировке без этих букв.
</numerusform>
            <numerusform>В %n ячейках «?» там, где в таблицах буквы: табличный редактор прочитал или сохранил таблицу в кодировке без этих букв.
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds &quot;?&quot; in text typed into the table where the tables hold none: likely letters that the table&apos;s character set could not hold.
</source>
        <comment>%n cells hold &quot;?&quot; in text typed into the table where the tables hold none: likely letters that the table&apos;s character set could not hold.
</comment>
        <translation>
            <numerusform>В %n ячейке «?» в тексте, введённом в таблицу, хотя в таблицах его нет: вероятно, это буквы, которых нет в кодировке таблицы.
</numerusform>
            <numerusform>В %n ячейках «?» в тексте, введённом в таблицу, хотя в таблицах его нет: вероятно, это буквы, которых нет в кодировке таблицы.
</numerusform>
            <numerusform>В %n ячейках «?» в тексте, введённом в таблицу, хотя в таблицах его нет: вероятно, это буквы, которых нет в кодировке таблицы.
</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose the character set %1 both when opening the table (Text Import: Character set) and when saving it (Export Text File: Character set). A &quot;?&quot; cannot be turned back into its letter: export the table again and redo the edits.
</source>
        <translation>Выберите кодировку %1 и при открытии таблицы (Импорт текста: Кодировка), и при её сохранении (Экспорт текстового файла: Кодировка). «?» нельзя превратить обратно в букву: экспортируйте таблицу заново и повторите правки.
</translation>
    </message>
    <message numerus="yes">
        <source>%n cell gained or lost the quotes a spreadsheet puts around a text (inner quotes doubled): the table was read or saved with &quot; as the string delimiter.
</source>
        <comment>%n cells gained or lost the quotes a spreadsheet puts around a text (inner quotes doubled): the table was read or saved with &quot; as the string delimiter.
</comment>
        <translation>
            <numerusform>%n ячейка получила или потеряла кавычки, которыми табличный редактор обрамляет текст (внутренние кавычки удваиваются): таблицу прочитали или сохранили с &quot; в качестве разделителя текста.
</numerusform>
            <numerusform>%n ячейки получили или потеряли кавычки, которыми табличный редактор обрамляет текст (внутренние кавычки удваиваются): таблицу прочитали или сохранили с &quot; в качестве разделителя текста.
</numerusform>
            <numerusform>%n ячеек получили или потеряли кавычки, которыми табличный редактор обрамляет текст (внутренние кавычки удваиваются): таблицу прочитали или сохранили с &quot; в качестве разделителя текста.
</numerusform>
        </translation>
    </message>
    <message>
        <source>Empty the string delimiter both when opening the table (Text Import: String delimiter) and when saving it (Export Text File: String delimiter), then save it again.
</source>
        <translation>Очистите разделитель текста и при открытии таблицы (Импорт текста: Разделитель текста), и при её сохранении (Экспорт текстового файла: Разделитель текста), затем сохраните её снова.
</translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds a value the spreadsheet converted into another value or wrote as its language writes numbers; no desc file reads it so:
</source>
        <comment>%n cells hold values the spreadsheet converted into other values or wrote as its language writes numbers; no desc file reads them so:
</comment>
        <translation>
            <numerusform>%n ячейка содержит значение, которое табличный редактор преобразовал в другое или записал так, как пишут числа на его языке; ни один desc-файл так его не прочтёт:
</numerusform>
            <numerusform>%n ячейки содержат значения, которые табличный редактор преобразовал в другие или записал так, как пишут числа на его языке; ни один desc-файл так их не прочтёт:
</numerusform>
            <numerusform>%n ячеек содержат значения, которые табличный редактор преобразовал в другие или записал так, как пишут числа на его языке; ни один desc-файл так их не прочтёт:
</numerusform>
        </translation>
    </message>
    <message>
        <source>The column type Standard let the spreadsheet read these cells as numbers, percentages, dates, times, money or truth values, in the language chosen in Text Import (German reads 2.250 as 2250).</source>
        <translation>Тип столбца «Стандартный» позволил табличному редактору прочитать эти ячейки как числа, проценты, даты, время, деньги или логические значения — на языке, выбранном в окне «Импорт текста» (немецкий читает 2.250 как 2250).</translation>
    </message>
    <message numerus="yes">
        <source>%n cell changed only how a number is written:
</source>
        <comment>%n cells changed only how a number is written:
</comment>
        <translation>
            <numerusform>У %n ячейки изменилась только запись числа:
</numerusform>
            <numerusform>У %n ячеек изменилась только запись числа:
</numerusform>
            <numerusform>У %n ячеек изменилась только запись числа:
</numerusform>
        </translation>
    </message>
    <message>
        <source>The column type Standard let the spreadsheet rewrite these numbers.</source>
        <translation>Тип столбца «Стандартный» позволил табличному редактору переписать эти числа.</translation>
    </message>
    <message numerus="yes">
        <source>%n desc file has a path that the system&apos;s code page (%1) cannot write. A table shows &quot;?&quot; for those letters and cannot name these files, so Import table cannot place their rows; nothing was imported. Give them names the code page can write, or open them without the others:</source>
        <comment>%n desc files have paths that the system&apos;s code page (%1) cannot write. A table shows &quot;?&quot; for those letters and cannot name these files, so Import table cannot place their rows; nothing was imported. Give them names the code page can write, or open them without the others:</comment>
        <translation>
            <numerusform>Путь %n desc-файла содержит буквы, которых нет в кодовой странице системы (%1). Таблица показывает вместо них «?» и не может назвать такие файлы, поэтому «Импорт таблицы» не может разместить их строки; ничего не импортировано. Дайте им имена, которые кодовая страница может записать, или откройте их без остальных:</numerusform>
            <numerusform>Пути %n desc-файлов содержат буквы, которых нет в кодовой странице системы (%1). Таблица показывает вместо них «?» и не может назвать такие файлы, поэтому «Импорт таблицы» не может разместить их строки; ничего не импортировано. Дайте им имена, которые кодовая страница может записать, или откройте их без остальных:</numerusform>
            <numerusform>Пути %n desc-файлов содержат буквы, которых нет в кодовой странице системы (%1). Таблица показывает вместо них «?» и не может назвать такие файлы, поэтому «Импорт таблицы» не может разместить их строки; ничего не импортировано. Дайте им имена, которые кодовая страница может записать, или откройте их без остальных:</numerusform>
        </translation>
    </message>
    <message>
        <source>The table is in UTF-16 (Unicode), which the import does not read, so it finds no &quot;File list&quot; block naming the desc files. Save it again as Text CSV in the desc files&apos; character set (Export Text File: Character set)</source>
        <translation>Таблица в UTF-16 (Unicode), который импорт не читает, поэтому он не находит блок «File list» с именами desc-файлов. Сохраните её заново как «Текст CSV» в кодировке desc-файлов (Экспорт текстового файла: Кодировка)</translation>
    </message>
    <message>
        <source>The table has section blocks but no &quot;File list&quot; block, which names the desc files it was exported from: its rows were deleted in the spreadsheet. Take back the deletion (Edit &gt; Undo), or export the table again and redo the edits, keeping the &quot;File list&quot; block</source>
        <translation>В таблице есть блоки секций, но нет блока «File list», который называет desc-файлы, откуда она экспортирована: его строки удалены в табличном редакторе. Отмените удаление (Правка &gt; Отменить) или экспортируйте таблицу заново и повторите правки, сохранив блок «File list»</translation>
    </message>
    <message>
        <source>The table is empty: it has no &quot;File list&quot; block naming the desc files. Import a table that Export table wrote</source>
        <translation>Таблица пуста: в ней нет блока «File list» с именами desc-файлов. Импортируйте таблицу, записанную командой «Экспорт таблицы»</translation>
    </message>
    <message>
        <source>The table has no &quot;File list&quot; block, so it does not name the desc files: it is cut short (byte 26, Ctrl+Z, ends it) or not an exported table. Import a table that Export table wrote</source>
        <translation>В таблице нет блока «File list», поэтому она не называет desc-файлы: она обрезана (байт 26, Ctrl+Z, обрывает её) или это не экспортированная таблица. Импортируйте таблицу, записанную командой «Экспорт таблицы»</translation>
    </message>
    <message>
        <source>The table&apos;s cells are separated by &quot;%1&quot; instead of TABs: the spreadsheet saved it with &quot;%1&quot; as the field delimiter, so the import finds none of its blocks. Save it again as Text CSV with &quot;Edit filter settings&quot; ticked and {Tab} as the field delimiter (Export Text File: Field delimiter)</source>
        <translation>Ячейки таблицы разделены «%1», а не табуляцией: табличный редактор сохранил её с «%1» в качестве разделителя полей, поэтому импорт не находит ни одного её блока. Сохраните её заново как «Текст CSV», отметив «Изменить настройки фильтра», с {Табуляция} в качестве разделителя полей (Экспорт текстового файла: Разделитель полей)</translation>
    </message>
    <message>
        <source>The table&apos;s labels (&quot;Section 1&quot;, &quot;File list&quot;) are in column %1 instead of column A: a column was inserted in front of them in the spreadsheet, which moves every cell of the table. Delete that column (or take back its insertion with Edit &gt; Undo) and save the table again</source>
        <translation>Метки таблицы («Section 1», «File list») стоят в столбце %1, а не в столбце A: в табличном редакторе перед ними вставили столбец, и все ячейки таблицы сдвинулись. Удалите этот столбец (или отмените его вставку через Правка &gt; Отменить) и сохраните таблицу снова</translation>
    </message>
    <message>
        <source>The table&apos;s rows are no longer under their labels (&quot;Section 1&quot;, &quot;File list&quot;): the whole sheet was sorted, which mixes the rows of every block. Take back the sort (Edit &gt; Undo) or export the table again, and sort only the rows of one block: select them, below its header row, before Data &gt; Sort</source>
        <translation>Строки таблицы больше не стоят под своими метками («Section 1», «File list»): отсортирован весь лист, и строки всех блоков перемешались. Отмените сортировку (Правка &gt; Отменить) или экспортируйте таблицу заново и сортируйте строки только одного блока: выделите их под его строкой заголовков, затем Данные &gt; Сортировка</translation>
    </message>
    <message>
        <source>The table&apos;s cells are in double quotes (the spreadsheet saved it with a string delimiter): the import takes quotes as part of a cell, so it finds no &quot;File list&quot; block naming the desc files. Save the table with an empty string delimiter</source>
        <translation>Ячейки таблицы в двойных кавычках (табличный редактор сохранил её с разделителем текста): импорт считает кавычки частью ячейки, поэтому не находит блок «File list» с именами desc-файлов. Сохраните таблицу с пустым разделителем текста</translation>
    </message>
    <message>
        <source>The &quot;File list&quot; block of the table (line %1) does not name exactly the desc files given:</source>
        <translation>Блок «File list» таблицы (строка %1) называет не ровно те desc-файлы, что указаны:</translation>
    </message>
    <message numerus="yes">
        <source>%n desc file given is not in it:</source>
        <comment>%n desc files given are not in it:</comment>
        <translation>
            <numerusform>В нём нет %n указанного desc-файла:</numerusform>
            <numerusform>В нём нет %n указанных desc-файлов:</numerusform>
            <numerusform>В нём нет %n указанных desc-файлов:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file it names is not given:</source>
        <comment>%n files it names are not given:</comment>
        <translation>
            <numerusform>%n названный в нём файл не указан:</numerusform>
            <numerusform>%n названных в нём файла не указаны:</numerusform>
            <numerusform>%n названных в нём файлов не указаны:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The table holds %n replacement character (the bytes EF BF BD) that the values it replaces do not: a program that read it in another character set put it in place of a character it could not read. Open the exported table again with the character set %1 (Text Import: Character set), save it with the same, and redo the edits.
</source>
        <comment>The table holds %n replacement characters (the bytes EF BF BD) that the values it replaces do not: a program that read it in another character set put them in place of the characters it could not read. Open the exported table again with the character set %1 (Text Import: Character set), save it with the same, and redo the edits.
</comment>
        <translation>
            <numerusform>В таблице %n символ замены (байты EF BF BD), которого нет в заменяемых значениях: программа, читавшая её в другой кодировке, поставила его вместо символа, который не смогла прочесть. Откройте экспортированную таблицу заново в кодировке %1 (Импорт текста: Кодировка), сохраните в той же и повторите правки.
</numerusform>
            <numerusform>В таблице %n символа замены (байты EF BF BD), которых нет в заменяемых значениях: программа, читавшая её в другой кодировке, поставила их вместо символов, которые не смогла прочесть. Откройте экспортированную таблицу заново в кодировке %1 (Импорт текста: Кодировка), сохраните в той же и повторите правки.
</numerusform>
            <numerusform>В таблице %n символов замены (байты EF BF BD), которых нет в заменяемых значениях: программа, читавшая её в другой кодировке, поставила их вместо символов, которые не смогла прочесть. Откройте экспортированную таблицу заново в кодировке %1 (Импорт текста: Кодировка), сохраните в той же и повторите правки.
</numerusform>
        </translation>
    </message>
    <message>
        <source>The table is in UTF-8 while the values it replaces are not: each of its non-ASCII characters would become two or more bytes in the desc files, whose code page is %1. Save the table again with the character set %2 (Export Text File: Character set).
</source>
        <translation>Таблица в UTF-8, а заменяемые значения — нет: каждый её не-ASCII символ стал бы двумя или более байтами в desc-файлах, чья кодовая страница — %1. Сохраните таблицу заново в кодировке %2 (Экспорт текстового файла: Кодировка).
</translation>
    </message>
    <message numerus="yes">
        <source>%n column of the table has a header that the tables do not have, and the import left it out: it places each column by its header (a key&apos;s name in the block&apos;s header row), so a column inserted for notes moves no value. Type values into their key&apos;s own column.
</source>
        <comment>%n columns of the table have headers that the tables do not have, and the import left them out: it places each column by its header (a key&apos;s name in the block&apos;s header row), so a column inserted for notes moves no value. Type values into their key&apos;s own column.
</comment>
        <translation>
            <numerusform>У %n столбца таблицы заголовок, которого нет в таблицах, и импорт его пропустил: он размещает каждый столбец по заголовку (имени ключа в строке заголовков блока), поэтому столбец, вставленный для заметок, не сдвигает ни одного значения. Вводите значения в собственный столбец их ключа.
</numerusform>
            <numerusform>У %n столбцов таблицы заголовки, которых нет в таблицах, и импорт их пропустил: он размещает каждый столбец по заголовку (имени ключа в строке заголовков блока), поэтому столбец, вставленный для заметок, не сдвигает ни одного значения. Вводите значения в собственный столбец их ключа.
</numerusform>
            <numerusform>У %n столбцов таблицы заголовки, которых нет в таблицах, и импорт их пропустил: он размещает каждый столбец по заголовку (имени ключа в строке заголовков блока), поэтому столбец, вставленный для заметок, не сдвигает ни одного значения. Вводите значения в собственный столбец их ключа.
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (line %2), column %3, without a header: %n cell with text</source>
        <comment>%1 (line %2), column %3, without a header: %n cells with text</comment>
        <translation>
            <numerusform>%1 (строка %2), столбец %3, без заголовка: %n ячейка с текстом</numerusform>
            <numerusform>%1 (строка %2), столбец %3, без заголовка: %n ячейки с текстом</numerusform>
            <numerusform>%1 (строка %2), столбец %3, без заголовка: %n ячеек с текстом</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (line %2), column %3, &quot;%4&quot;: %n cell with text</source>
        <comment>%1 (line %2), column %3, &quot;%4&quot;: %n cells with text</comment>
        <translation>
            <numerusform>%1 (строка %2), столбец %3, «%4»: %n ячейка с текстом</numerusform>
            <numerusform>%1 (строка %2), столбец %3, «%4»: %n ячейки с текстом</numerusform>
            <numerusform>%1 (строка %2), столбец %3, «%4»: %n ячеек с текстом</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The table lacks the column of %n value that the tables have, and nothing was imported: the import places each column by its header (a key&apos;s name in the block&apos;s header row, the row whose column B reads &quot;File name&quot;), so it cannot tell where that value went:
</source>
        <comment>The table lacks the columns of %n values that the tables have, and nothing was imported: the import places each column by its header (a key&apos;s name in the block&apos;s header row, the row whose column B reads &quot;File name&quot;), so it cannot tell where those values went:
</comment>
        <translation>
            <numerusform>В таблице нет столбца %n значения, которое есть в таблицах, и ничего не импортировано: импорт размещает каждый столбец по заголовку (имени ключа в строке заголовков блока — той, где в столбце B написано «File name»), поэтому не может понять, куда делось это значение:
</numerusform>
            <numerusform>В таблице нет столбцов %n значений, которые есть в таблицах, и ничего не импортировано: импорт размещает каждый столбец по заголовку (имени ключа в строке заголовков блока — той, где в столбце B написано «File name»), поэтому не может понять, куда делись эти значения:
</numerusform>
            <numerusform>В таблице нет столбцов %n значений, которые есть в таблицах, и ничего не импортировано: импорт размещает каждый столбец по заголовку (имени ключа в строке заголовков блока — той, где в столбце B написано «File name»), поэтому не может понять, куда делись эти значения:
</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 (line %2): the block has no header row</source>
        <translation>%1 (строка %2): у блока нет строки заголовков</translation>
    </message>
    <message>
        <source>%1 (line %2): &quot;%3&quot; value %4</source>
        <translation>%1 (строка %2): «%3», значение %4</translation>
    </message>
    <message>
        <source>%1 (line %2): &quot;%3&quot;</source>
        <translation>%1 (строка %2): «%3»</translation>
    </message>
    <message>
        <source>Take back the deletion, or the change of the header, in the spreadsheet (Edit &gt; Undo), or export the table again and redo the edits, leaving each block&apos;s header row and columns as they were</source>
        <translation>Отмените удаление или изменение заголовка в табличном редакторе (Правка &gt; Отменить) или экспортируйте таблицу заново и повторите правки, оставив строку заголовков и столбцы каждого блока как были</translation>
    </message>
    <message numerus="yes">
        <source>Left as it was, since the table names none of the desc files in it: %1.
</source>
        <comment>Left as they were, since the table names none of the desc files in them: %1.
</comment>
        <translation>
            <numerusform>Оставлена как была, так как импортируемая таблица не называет ни одного desc-файла из неё: %1.
</numerusform>
            <numerusform>Оставлены как были, так как импортируемая таблица не называет ни одного desc-файла из них: %1.
</numerusform>
            <numerusform>Оставлены как были, так как импортируемая таблица не называет ни одного desc-файла из них: %1.
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row of the table is wider than the header row of its block: a value holding a TAB was split in two, and every later value of the row moved one column on.
</source>
        <comment>%n rows of the table are wider than the header row of its block: a value holding a TAB was split in two, and every later value of the row moved one column on.
</comment>
        <translation>
            <numerusform>%n строка таблицы шире строки заголовков своего блока: значение с TAB разбилось надвое, и все следующие значения строки сдвинулись на столбец вправо.
</numerusform>
            <numerusform>%n строки таблицы шире строки заголовков своего блока: значение с TAB разбилось надвое, и все следующие значения строки сдвинулись на столбец вправо.
</numerusform>
            <numerusform>%n строк таблицы шире строки заголовков своего блока: значение с TAB разбилось надвое, и все следующие значения строки сдвинулись на столбец вправо.
</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (line %2), %3: %n cell too many</source>
        <comment>%1 (line %2), %3: %n cells too many</comment>
        <translation>
            <numerusform>%1 (строка %2), %3: на %n ячейку больше</numerusform>
            <numerusform>%1 (строка %2), %3: на %n ячейки больше</numerusform>
            <numerusform>%1 (строка %2), %3: на %n ячеек больше</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The &quot;File list&quot; of the table names %n file that is not open, and Import table writes only into the open desc files; nothing was imported:</source>
        <comment>The &quot;File list&quot; of the table names %n files that are not open, and Import table writes only into the open desc files; nothing was imported:</comment>
        <translation>
            <numerusform>«File list» таблицы называет %n файл, который не открыт, а «Импорт таблицы» пишет только в открытые desc-файлы; ничего не импортировано:</numerusform>
            <numerusform>«File list» таблицы называет %n файла, которые не открыты, а «Импорт таблицы» пишет только в открытые desc-файлы; ничего не импортировано:</numerusform>
            <numerusform>«File list» таблицы называет %n файлов, которые не открыты, а «Импорт таблицы» пишет только в открытые desc-файлы; ничего не импортировано:</numerusform>
        </translation>
    </message>
    <message>
        <source>Line %1 of the table is %2 MB long: no desc file holds values that long (a line may hold %3 MB), so the file is no table of desc files, or is damaged. Nothing was imported</source>
        <translation>Строка %1 таблицы длиной %2 МБ: ни один desc-файл не содержит таких длинных значений (строка может занимать до %3 МБ), значит, это не таблица desc-файлов или она повреждена. Ничего не импортировано</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>English</source>
        <extracomment>The name of the catalogue&apos;s own language, in that language, as the Language menu lists it: &quot;Deutsch&quot;, &quot;Русский&quot;.</extracomment>
        <translation>Русский</translation>
    </message>
</context>
<context>
    <name>Lists</name>
    <message>
        <source>and %1 more</source>
        <translation>и ещё %1</translation>
    </message>
</context>
<context>
    <name>Mod set</name>
    <message>
        <source>%1: the copy written (%2&apos;s) has no line for %3, so its merged values are not written</source>
        <translation>%1: в записанной копии (из %2) нет строки %3, поэтому её объединённые значения не записаны</translation>
    </message>
    <message>
        <source>%1: the line of %2 is also the line of another key, so it is kept as %3&apos;s copy holds it</source>
        <translation>%1: строка %2 — это также строка другого ключа, поэтому она оставлена такой, как в копии из %3</translation>
    </message>
    <message>
        <source>%1: the merged values of %2 would leave a value out before another, so the line is kept as %3&apos;s copy holds it</source>
        <translation>%1: объединённые значения %2 оставили бы пропуск перед другим значением, поэтому строка оставлена такой, как в копии из %3</translation>
    </message>
    <message>
        <source>%1: %2&apos;s copy holds %3 line(s) outside the variables file that the copy written (%4&apos;s) does not: %5</source>
        <translation>%1: в копии из %2 есть строки вне файла переменных (%3), которых нет в записанной копии (из %4): %5</translation>
    </message>
    <message>
        <source>%1: the line of %2 is in the copies of %3, not in those of %4</source>
        <translation>%1: строка %2 есть в копиях из %3, но не в копиях из %4</translation>
    </message>
    <message>
        <source>A mod set holds at most 30,000 mods</source>
        <translation>В наборе модов может быть не больше 30 000 модов</translation>
    </message>
    <message>
        <source>The mod %1 holds %2 and %3, which name one file; %3 is left out</source>
        <translation>Мод %1 содержит %2 и %3, которые указывают на один файл; %3 пропущен</translation>
    </message>
    <message>
        <source>The patch %1 sets value %2 of %3 in %4 to %5, which is not applied: %6</source>
        <translation>Патч %1 задаёт значению %2 ключа %3 в %4 значение %5, что не применено: %6</translation>
    </message>
    <message>
        <source>the file&apos;s line of the key has fewer values</source>
        <translation>в строке ключа в файле меньше значений</translation>
    </message>
    <message>
        <source>The patch %1 expects %2 as value %3 of %4 in %5, where the base game holds %6; its value %7 is taken all the same</source>
        <translation>Патч %1 ожидает %2 в значении %3 ключа %4 в %5, а в оригинале там %6; его значение %7 всё равно взято</translation>
    </message>
    <message>
        <source>The mod set holds more changed values than can be kept</source>
        <translation>В наборе модов больше изменённых значений, чем можно хранить</translation>
    </message>
    <message>
        <source>A choice about value %1 of %2 in %3 is not used: %4</source>
        <translation>Выбор для значения %1 ключа %2 в %3 не используется: %4</translation>
    </message>
    <message>
        <source>A choice about value %1 of %2 in every file is not used: %3</source>
        <translation>Выбор для значения %1 ключа %2 во всех файлах не используется: %3</translation>
    </message>
    <message>
        <source>A choice about %1 in %2 is not used: %3</source>
        <translation>Выбор для %1 в %2 не используется: %3</translation>
    </message>
    <message>
        <source>A choice about %1 in every file is not used: %2</source>
        <translation>Выбор для %1 во всех файлах не используется: %2</translation>
    </message>
    <message>
        <source>The order must name every mod of the set once</source>
        <translation>В порядке каждый мод набора должен быть назван один раз</translation>
    </message>
    <message>
        <source>There is no such place in the order of the mods</source>
        <translation>Такого места в порядке модов нет</translation>
    </message>
</context>
<context>
    <name>ModMarks</name>
    <message>
        <source>Differs from the base file %1</source>
        <translation>Отличается от файла оригинала %1</translation>
    </message>
    <message>
        <source>New in this mod: the base game has no such file</source>
        <translation>Новый в этом моде: в оригинале такого файла нет</translation>
    </message>
    <message>
        <source>Base: no line for this key</source>
        <translation>Оригинал: нет строки этого ключа</translation>
    </message>
    <message>
        <source>Base: %1 (this file has no line for the key)</source>
        <translation>Оригинал: %1 (в этом файле нет строки ключа)</translation>
    </message>
    <message>
        <source>Base: no such value (its line of the key has fewer values)</source>
        <translation>Оригинал: нет такого значения (в его строке ключа меньше значений)</translation>
    </message>
    <message>
        <source>Base: %1 (this file&apos;s line of the key has fewer values)</source>
        <translation>Оригинал: %1 (в строке ключа этого файла меньше значений)</translation>
    </message>
    <message>
        <source>Base: %1</source>
        <translation>Оригинал: %1</translation>
    </message>
    <message>
        <source>From the patch: %1 (was %2)</source>
        <translation>Из патча: %1 (было %2)</translation>
    </message>
    <message>
        <source>Patch conflict, the patch&apos;s value taken: %1 (base %2, this mod %3)</source>
        <translation>Конфликт с патчем, взято значение патча: %1 (оригинал %2, этот мод %3)</translation>
    </message>
    <message>
        <source>Patch conflict, this mod&apos;s value kept (base %1, the patch %2)</source>
        <translation>Конфликт с патчем, оставлено значение мода (оригинал %1, патч %2)</translation>
    </message>
</context>
<context>
    <name>Patches</name>
    <message>
        <source>&quot;%1&quot; is not a patch: its first line should read &quot;%2&quot;, a TAB and &quot;%3&quot;</source>
        <translation>«%1» — не патч: его первая строка должна быть «%2», TAB и «%3»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a patch of version %2, written by a later Dravik 2; this one reads version %3</source>
        <translation>«%1» — патч версии %2, записанный более новым Dravik 2; этот читает версию %3</translation>
    </message>
    <message>
        <source>Line %1 of &quot;%2&quot; has %3 fields; a patch line has five: path, key, value number, base value, mod value</source>
        <translation>В строке %1 файла «%2» полей: %3; в строке патча их пять: путь, ключ, номер значения, значение оригинала, значение мода</translation>
    </message>
    <message>
        <source>Line %1 of &quot;%2&quot; has no value number (1 for a key&apos;s first value): &quot;%3&quot;</source>
        <translation>В строке %1 файла «%2» нет номера значения (1 — первое значение ключа): «%3»</translation>
    </message>
    <message>
        <source>Line %1 of &quot;%2&quot; names no file</source>
        <translation>Строка %1 файла «%2» не называет файл</translation>
    </message>
    <message>
        <source>Line %1 of &quot;%2&quot; names no key</source>
        <translation>Строка %1 файла «%2» не называет ключ</translation>
    </message>
    <message>
        <source>byte 26 (Ctrl+Z), which older programs read as the end of a text file</source>
        <translation>байт 26 (Ctrl+Z), который старые программы считают концом текстового файла</translation>
    </message>
    <message>
        <source>a control character (byte %1), which no desc file holds</source>
        <translation>управляющий символ (байт %1), которого не бывает в desc-файлах</translation>
    </message>
    <message>
        <source>an empty value, which a key line cannot hold: it would be lost and the key&apos;s later values move along</source>
        <translation>пустое значение, которого строка ключа содержать не может: оно потерялось бы, и следующие значения ключа сдвинулись бы</translation>
    </message>
    <message>
        <source>several words: each would be a value of its own, and the key&apos;s later values would move along</source>
        <translation>несколько слов: каждое стало бы отдельным значением, и следующие значения ключа сдвинулись бы</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is in UTF-8 (it begins with UTF-8&apos;s byte order mark) while the desc files are not: each of its non-ASCII characters would become two or more bytes in them, whose code page is %2. Save the patch in that character set and apply it again</source>
        <translation>«%1» в UTF-8 (начинается с метки порядка байтов UTF-8), а desc-файлы — нет: каждый его не-ASCII символ стал бы в них двумя или более байтами, ведь их кодовая страница — %2. Сохраните патч в этой кодировке и примените снова</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is in UTF-8 while the desc files are not: each of its non-ASCII characters would become two or more bytes in them, whose code page is %2. Save the patch in that character set and apply it again</source>
        <translation>«%1» в UTF-8, а desc-файлы — нет: каждый его не-ASCII символ стал бы в них двумя или более байтами, ведь их кодовая страница — %2. Сохраните патч в этой кодировке и примените снова</translation>
    </message>
    <message>
        <source>no open file has this path</source>
        <translation>нет открытого файла с таким путём</translation>
    </message>
    <message>
        <source>no table has a column for the key (see the variables file)</source>
        <translation>ни в одной таблице нет столбца для этого ключа (см. файл переменных)</translation>
    </message>
    <message>
        <source>the key has fewer values</source>
        <translation>у ключа меньше значений</translation>
    </message>
    <message>
        <source>the file has no line for the key</source>
        <translation>в файле нет строки этого ключа</translation>
    </message>
    <message>
        <source>the patch names this value more than once, with different values</source>
        <translation>патч называет это значение несколько раз, с разными значениями</translation>
    </message>
    <message>
        <source>a value no key line can hold</source>
        <translation>значение, которое не может содержать ни одна строка ключа</translation>
    </message>
    <message>
        <source>%1, &quot;%2&quot; value %3: %4</source>
        <translation>%1, «%2», значение %3: %4</translation>
    </message>
    <message>
        <source>the file&apos;s line of the key has fewer values</source>
        <translation>в строке ключа в файле меньше значений</translation>
    </message>
</context>
<context>
    <name>ProblemCells</name>
    <message>
        <source>and %1 more</source>
        <translation>и ещё %1</translation>
    </message>
    <message numerus="yes">
        <source>%n edited cell holds a line break, which would split the key line in two:</source>
        <comment>%n edited cells hold a line break, which would split the key line in two:</comment>
        <translation>
            <numerusform>%n изменённая ячейка содержит перевод строки, который разбил бы строку ключа надвое:</numerusform>
            <numerusform>%n изменённые ячейки содержат перевод строки, который разбил бы строку ключа надвое:</numerusform>
            <numerusform>%n изменённых ячеек содержат перевод строки, который разбил бы строку ключа надвое:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n edited cell holds %1, which no desc line can hold:</source>
        <comment>%n edited cells hold %1, which no desc line can hold:</comment>
        <translation>
            <numerusform>%n изменённая ячейка содержит %1 — такого не может быть ни в одной строке desc:</numerusform>
            <numerusform>%n изменённые ячейки содержат %1 — такого не может быть ни в одной строке desc:</numerusform>
            <numerusform>%n изменённых ячеек содержат %1 — такого не может быть ни в одной строке desc:</numerusform>
        </translation>
    </message>
    <message>
        <source>Save all writes nothing while a value holds a line break. Put a blank in its place, or undo the edit, and save again.</source>
        <translation>«Сохранить все» ничего не запишет, пока значение содержит перевод строки. Поставьте на его место пробел или отмените правку и сохраните снова.</translation>
    </message>
    <message>
        <source>Save all writes nothing while a value holds one. Take it out, or undo the edit, and save again.</source>
        <translation>«Сохранить все» ничего не запишет, пока значение содержит такой символ. Уберите его или отмените правку и сохраните снова.</translation>
    </message>
    <message>
        <source>Save all</source>
        <translation>Сохранить все</translation>
    </message>
    <message numerus="yes">
        <source>%n edited cell holds values that look wrong:</source>
        <comment>%n edited cells hold values that look wrong:</comment>
        <translation>
            <numerusform>%n изменённая ячейка содержит значения, похожие на ошибочные:</numerusform>
            <numerusform>%n изменённые ячейки содержат значения, похожие на ошибочные:</numerusform>
            <numerusform>%n изменённых ячеек содержат значения, похожие на ошибочные:</numerusform>
        </translation>
    </message>
    <message>
        <source>Save all writes them as they are, but for the values of keys a file has no line for, which stay in the tables only. Go on?</source>
        <translation>«Сохранить все» запишет их как есть, кроме значений ключей, для которых в файле нет строки: они останутся только в таблицах. Продолжить?</translation>
    </message>
    <message>
        <source>Save all writes them as they are. Go on?</source>
        <translation>«Сохранить все» запишет их как есть. Продолжить?</translation>
    </message>
    <message>
        <source>&amp;Go on</source>
        <translation>&amp;Продолжить</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>a line break, a NUL or a Ctrl+Z</source>
        <translation>перевод строки, NUL или Ctrl+Z</translation>
    </message>
    <message>
        <source>a line break</source>
        <translation>перевод строки</translation>
    </message>
    <message>
        <source>a NUL or a Ctrl+Z</source>
        <translation>NUL или Ctrl+Z</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Применить</translation>
    </message>
    <message>
        <source>Type a value or an expression.</source>
        <translation>Введите значение или выражение.</translation>
    </message>
    <message>
        <source>This cannot be applied: %1.</source>
        <translation>Это нельзя применить: %1.</translation>
    </message>
    <message>
        <source>%1 left as they are: not a number.</source>
        <translation>Оставлены как есть, не число: %1.</translation>
    </message>
    <message>
        <source>%1 left as they are: no finite result (division by zero).</source>
        <translation>Оставлены как есть, нет конечного результата (деление на ноль): %1.</translation>
    </message>
    <message>
        <source>For example:</source>
        <translation>Например:</translation>
    </message>
    <message>
        <source>A value or an expression for %1 selected in the shown rows:
    =5 or 5  sets the value;  &apos;text  sets the text as typed;  {x}_old  puts each cell&apos;s text into a text
    +10  -3  *1.1  /2  +10%  change each cell&apos;s number x;  x*2-1, round(x/10)*10, min(x, 100), max, floor, ceil, abs compute from it
Rounding: a result computed from a whole number is rounded to a whole number, half away from zero (7/2 gives 4, -7/2 gives -4); one computed from a decimal number is written with up to 15 significant digits (3*1.1 gives 3.3). A value set as such is written as typed. A cell that holds no number is left as it is under a form with x, and counted.</source>
        <translation>Значение или выражение для %1, выделенных в показанных строках:
    =5 или 5  задаёт значение;  &apos;текст  задаёт текст как введён;  {x}_old  вставляет текст каждой ячейки в текст
    +10  -3  *1.1  /2  +10%  меняют число x каждой ячейки;  x*2-1, round(x/10)*10, min(x, 100), max, floor, ceil, abs вычисляют из него
Округление: результат, вычисленный из целого числа, округляется до целого, половина — от нуля (7/2 даёт 4, -7/2 даёт -4); вычисленный из дробного записывается с точностью до 15 значащих цифр (3*1.1 даёт 3.3). Значение, заданное как есть, записывается как введено. Ячейка без числа при форме с x остаётся как есть и учитывается в подсчёте.</translation>
    </message>
    <message>
        <source>Set selection</source>
        <translation>Изменить выделенное</translation>
    </message>
    <message>
        <source>Select value cells of a section table first (the file names and paths are not set).</source>
        <translation>Сначала выделите ячейки значений в таблице секции (имена файлов и пути не изменяются).</translation>
    </message>
    <message>
        <source>The tables have unsaved changes, and Import table replaces them. (Edit &gt; Undo takes the import back.) Go on?</source>
        <translation>В таблицах есть несохранённые изменения, и «Импорт таблицы» их заменит. (Правка &gt; Отменить отменяет импорт.) Продолжить?</translation>
    </message>
    <message>
        <source>Import table</source>
        <translation>Импорт таблицы</translation>
    </message>
    <message>
        <source>&amp;Keep the files&apos; values</source>
        <translation>&amp;Оставить значения файлов</translation>
    </message>
    <message>
        <source>&amp;Take the table&apos;s</source>
        <translation>&amp;Взять из таблицы</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>&amp;Keep the files&apos; spelling</source>
        <translation>Оставить &amp;запись файлов</translation>
    </message>
    <message>
        <source>Edit &gt; Undo takes the import back.</source>
        <translation>Правка &gt; Отменить отменяет импорт.</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>и ещё %1</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Вставка</translation>
    </message>
    <message>
        <source>The file list&apos;s names and paths are not pasted over.</source>
        <translation>Имена и пути списка файлов при вставке не заменяются.</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n cell change, in %2.</source>
        <comment>%1 of %n cells change, in %2.</comment>
        <translation>
            <numerusform>Изменятся %1 из %n ячейки (%2).</numerusform>
            <numerusform>Изменятся %1 из %n ячеек (%2).</numerusform>
            <numerusform>Изменятся %1 из %n ячеек (%2).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file</source>
        <comment>%n files</comment>
        <translation>
            <numerusform>%n файл</numerusform>
            <numerusform>%n файла</numerusform>
            <numerusform>%n файлов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell already hold the result.</source>
        <comment>%n cells already hold the result.</comment>
        <translation>
            <numerusform>%n ячейка уже содержит результат.</numerusform>
            <numerusform>%n ячейки уже содержат результат.</numerusform>
            <numerusform>%n ячеек уже содержат результат.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell</source>
        <comment>%n cells</comment>
        <translation>
            <numerusform>%n ячейка</numerusform>
            <numerusform>%n ячейки</numerusform>
            <numerusform>%n ячеек</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file below this folder matches.</source>
        <comment>%n files below this folder match.</comment>
        <translation>
            <numerusform>В этой папке и её подпапках подходит %n файл.</numerusform>
            <numerusform>В этой папке и её подпапках подходят %n файла.</numerusform>
            <numerusform>В этой папке и её подпапках подходят %n файлов.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell changed only how a number is written (%1): the spreadsheet&apos;s column type Standard rewrote it. Opening the table with the column type Text keeps every cell as written.</source>
        <comment>%n cells changed only how a number is written (%1): the spreadsheet&apos;s column type Standard rewrote them. Opening the table with the column type Text keeps every cell as written.</comment>
        <translation>
            <numerusform>У %n ячейки изменилась только запись числа (%1): её переписал тип столбца «Стандартный» в табличном редакторе. Если открыть таблицу с типом столбца «Текст», все ячейки останутся как записаны.</numerusform>
            <numerusform>У %n ячеек изменилась только запись числа (%1): их переписал тип столбца «Стандартный» в табличном редакторе. Если открыть таблицу с типом столбца «Текст», все ячейки останутся как записаны.</numerusform>
            <numerusform>У %n ячеек изменилась только запись числа (%1): их переписал тип столбца «Стандартный» в табличном редакторе. Если открыть таблицу с типом столбца «Текст», все ячейки останутся как записаны.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell holds a value the spreadsheet converted (%1): its column type Standard read it as a number, percentage, date, time, money or truth value, in the language chosen in Text Import. It is not an edit, and no desc file reads it so. Opening the table with the column type Text keeps every cell as written.</source>
        <comment>%n cells hold values the spreadsheet converted (%1): its column type Standard read them as numbers, percentages, dates, times, money or truth values, in the language chosen in Text Import. They are not edits, and no desc file reads them so. Opening the table with the column type Text keeps every cell as written.</comment>
        <translation>
            <numerusform>%n ячейка содержит значение, преобразованное табличным редактором (%1): тип столбца «Стандартный» прочитал его как число, проценты, дату, время, деньги или логическое значение на языке, выбранном в окне «Импорт текста». Это не правка, и ни один desc-файл так его не прочтёт. Если открыть таблицу с типом столбца «Текст», все ячейки останутся как записаны.</numerusform>
            <numerusform>%n ячейки содержат значения, преобразованные табличным редактором (%1): тип столбца «Стандартный» прочитал их как числа, проценты, даты, время, деньги или логические значения на языке, выбранном в окне «Импорт текста». Это не правки, и ни один desc-файл так их не прочтёт. Если открыть таблицу с типом столбца «Текст», все ячейки останутся как записаны.</numerusform>
            <numerusform>%n ячеек содержат значения, преобразованные табличным редактором (%1): тип столбца «Стандартный» прочитал их как числа, проценты, даты, время, деньги или логические значения на языке, выбранном в окне «Импорт текста». Это не правки, и ни один desc-файл так их не прочтёт. Если открыть таблицу с типом столбца «Текст», все ячейки останутся как записаны.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Pasted %1 of %n cell</source>
        <comment>Pasted %1 of %n cells</comment>
        <translation>
            <numerusform>Вставлено %1 из %n ячейки</numerusform>
            <numerusform>Вставлено %1 из %n ячеек</numerusform>
            <numerusform>Вставлено %1 из %n ячеек</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n lies outside the table</source>
        <comment>; %n lie outside the table</comment>
        <translation>
            <numerusform>; %n — вне таблицы</numerusform>
            <numerusform>; %n — вне таблицы</numerusform>
            <numerusform>; %n — вне таблицы</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n fell on the column of paths, which is not pasted over</source>
        <comment>; %n fell on the column of paths, which is not pasted over</comment>
        <translation>
            <numerusform>; %n пришлась на столбец путей, куда вставка не идёт</numerusform>
            <numerusform>; %n пришлись на столбец путей, куда вставка не идёт</numerusform>
            <numerusform>; %n пришлись на столбец путей, куда вставка не идёт</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The line breaks in %n pasted cell became blanks: a value cannot hold one, as it would split its key line.</source>
        <comment>The line breaks in %n pasted cells became blanks: a value cannot hold one, as it would split its key line.</comment>
        <translation>
            <numerusform>Переводы строк в %n вставленной ячейке заменены пробелами: значение не может их содержать, так как это разбило бы строку ключа.</numerusform>
            <numerusform>Переводы строк в %n вставленных ячейках заменены пробелами: значение не может их содержать, так как это разбило бы строку ключа.</numerusform>
            <numerusform>Переводы строк в %n вставленных ячейках заменены пробелами: значение не может их содержать, так как это разбило бы строку ключа.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QtDialogs</name>
    <message>
        <source>Confirm</source>
        <translation>Подтверждение</translation>
    </message>
</context>
<context>
    <name>Save all</name>
    <message>
        <source>The desc file &quot;%1&quot; changed on disk since it was read; nothing was written</source>
        <translation>Desc-файл «%1» изменился на диске после чтения; ничего не записано</translation>
    </message>
    <message numerus="yes">
        <source>%n desc file changed on disk since it was read (&quot;%1&quot; and %2 more); nothing was written</source>
        <comment>%n desc files changed on disk since they were read (&quot;%1&quot; and %2 more); nothing was written</comment>
        <translation>
            <numerusform>%n desc-файл изменился на диске после чтения («%1» и ещё %2); ничего не записано</numerusform>
            <numerusform>%n desc-файла изменились на диске после чтения («%1» и ещё %2); ничего не записано</numerusform>
            <numerusform>%n desc-файлов изменились на диске после чтения («%1» и ещё %2); ничего не записано</numerusform>
        </translation>
    </message>
    <message>
        <source>The desc file &quot;%1&quot; changed on disk while it was being saved and was left as it is; %2 of %3 files were written</source>
        <translation>Desc-файл «%1» изменился на диске во время сохранения и оставлен как есть; записано файлов: %2 из %3</translation>
    </message>
    <message numerus="yes">
        <source>%n desc file changed on disk while it was being saved and was left as it is (&quot;%1&quot; and %2 more); %3 of %4 files were written</source>
        <comment>%n desc files changed on disk while they were being saved and were left as they are (&quot;%1&quot; and %2 more); %3 of %4 files were written</comment>
        <translation>
            <numerusform>%n desc-файл изменился на диске во время сохранения и оставлен как есть («%1» и ещё %2); записано файлов: %3 из %4</numerusform>
            <numerusform>%n desc-файла изменились на диске во время сохранения и оставлены как есть («%1» и ещё %2); записано файлов: %3 из %4</numerusform>
            <numerusform>%n desc-файлов изменились на диске во время сохранения и оставлены как есть («%1» и ещё %2); записано файлов: %3 из %4</numerusform>
        </translation>
    </message>
    <message>
        <source>%1; nothing was written</source>
        <translation>%1; ничего не записано</translation>
    </message>
    <message>
        <source>%1; %2 of %3 files had been written before it</source>
        <translation>%1; до этого записано файлов: %2 из %3</translation>
    </message>
    <message>
        <source>The tables show the merged values of a mod set: they are never written back into the files they were read from</source>
        <translation>Таблицы показывают слияние набора модов: оно никогда не записывается обратно в файлы, из которых прочитано</translation>
    </message>
</context>
<context>
    <name>SaveAll</name>
    <message>
        <source>Save all</source>
        <translation>Сохранить все</translation>
    </message>
    <message>
        <source>Saved %1 of %2 files</source>
        <translation>Сохранено файлов: %1 из %2</translation>
    </message>
</context>
<context>
    <name>SaveQuestions</name>
    <message>
        <source>and %1 more</source>
        <translation>и ещё %1</translation>
    </message>
    <message numerus="yes">
        <source>%n file cannot be saved:</source>
        <comment>%n files cannot be saved:</comment>
        <translation>
            <numerusform>%n файл нельзя сохранить:</numerusform>
            <numerusform>%n файла нельзя сохранить:</numerusform>
            <numerusform>%n файлов нельзя сохранить:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Save the other files and leave this one as it is?</source>
        <comment>Save the other files and leave these as they are?</comment>
        <translation>
            <numerusform>Сохранить остальные файлы, а этот оставить как есть?</numerusform>
            <numerusform>Сохранить остальные файлы, а эти оставить как есть?</numerusform>
            <numerusform>Сохранить остальные файлы, а эти оставить как есть?</numerusform>
        </translation>
    </message>
    <message>
        <source>Save all</source>
        <translation>Сохранить все</translation>
    </message>
    <message>
        <source>&amp;Save the others</source>
        <translation>&amp;Сохранить остальные</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message numerus="yes">
        <source>%n file changed on disk since it was read:</source>
        <comment>%n files changed on disk since they were read:</comment>
        <translation>
            <numerusform>%n файл изменился на диске после чтения:</numerusform>
            <numerusform>%n файла изменились на диске после чтения:</numerusform>
            <numerusform>%n файлов изменились на диске после чтения:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Overwrite it with the tables&apos; values, or skip it?</source>
        <comment>Overwrite them with the tables&apos; values, or skip them?</comment>
        <translation>
            <numerusform>Перезаписать его значениями из таблиц или пропустить?</numerusform>
            <numerusform>Перезаписать их значениями из таблиц или пропустить?</numerusform>
            <numerusform>Перезаписать их значениями из таблиц или пропустить?</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>&amp;Перезаписать</translation>
    </message>
    <message>
        <source>S&amp;kip</source>
        <translation>П&amp;ропустить</translation>
    </message>
    <message numerus="yes">
        <source>%n file would change only in spelling: their key lines would be rebuilt with the values they hold (&quot;armor 45 45 40&quot; becomes &quot;armor  45 45 40 &quot;).</source>
        <comment>%n files would change only in spelling: their key lines would be rebuilt with the values they hold (&quot;armor 45 45 40&quot; becomes &quot;armor  45 45 40 &quot;).</comment>
        <translation>
            <numerusform>В %n файле изменилась бы только запись: строки ключей были бы собраны заново из тех же значений («armor 45 45 40» станет «armor  45 45 40 »).</numerusform>
            <numerusform>В %n файлах изменилась бы только запись: строки ключей были бы собраны заново из тех же значений («armor 45 45 40» станет «armor  45 45 40 »).</numerusform>
            <numerusform>В %n файлах изменилась бы только запись: строки ключей были бы собраны заново из тех же значений («armor 45 45 40» станет «armor  45 45 40 »).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n key line whose values did not change would be respelled (&quot;armor 45 45 40&quot; becomes &quot;armor  45 45 40 &quot;).</source>
        <comment>%n key lines whose values did not change would be respelled (&quot;armor 45 45 40&quot; becomes &quot;armor  45 45 40 &quot;).</comment>
        <translation>
            <numerusform>%n строка ключа без изменённых значений была бы переписана («armor 45 45 40» станет «armor  45 45 40 »).</numerusform>
            <numerusform>%n строки ключей без изменённых значений были бы переписаны («armor 45 45 40» станет «armor  45 45 40 »).</numerusform>
            <numerusform>%n строк ключей без изменённых значений были бы переписаны («armor 45 45 40» станет «armor  45 45 40 »).</numerusform>
        </translation>
    </message>
    <message>
        <source>The game reads both spellings. Writing only what changed rewrites only the key lines whose values changed, and only their files.</source>
        <translation>Игра читает обе записи. «Записать только изменённое» перепишет только строки ключей с изменёнными значениями и только в их файлах.</translation>
    </message>
    <message>
        <source>&amp;Respell them too</source>
        <translation>&amp;Переписать и их</translation>
    </message>
    <message>
        <source>&amp;Write only what changed</source>
        <translation>&amp;Записать только изменённое</translation>
    </message>
    <message>
        <source>Re&amp;member my answer (in the settings file)</source>
        <translation>Запомнить мой &amp;ответ (в файле настроек)</translation>
    </message>
    <message>
        <source>1 file changed on disk since it was read:</source>
        <translation>1 файл изменился на диске после чтения:</translation>
    </message>
    <message>
        <source>Overwrite it with the desc preview&apos;s text, or skip it?</source>
        <translation>Перезаписать его текстом из предпросмотра desc или пропустить?</translation>
    </message>
    <message>
        <source>Save current</source>
        <translation>Сохранение текущего</translation>
    </message>
    <message numerus="yes">
        <source>%n value of the files to be saved looks wrong against the rules learned from the base game (see the Checks pane).</source>
        <comment>%n values of the files to be saved look wrong against the rules learned from the base game (see the Checks pane).</comment>
        <translation>
            <numerusform>%n значение сохраняемых файлов выглядит ошибочным по правилам, взятым из оригинальной игры (см. панель «Проверки»).</numerusform>
            <numerusform>%n значения сохраняемых файлов выглядят ошибочными по правилам, взятым из оригинальной игры (см. панель «Проверки»).</numerusform>
            <numerusform>%n значений сохраняемых файлов выглядят ошибочными по правилам, взятым из оригинальной игры (см. панель «Проверки»).</numerusform>
        </translation>
    </message>
    <message>
        <source>They are only warnings: the files can be saved as they are.</source>
        <translation>Это лишь предупреждения: файлы можно сохранить как есть.</translation>
    </message>
    <message>
        <source>&amp;Save all</source>
        <translation>&amp;Сохранить все</translation>
    </message>
    <message>
        <source>The variables text changed since Open desc. Save all writes each file by the keys and counts the tables were laid out by; Open desc again to lay them out by the new text.</source>
        <translation>Текст переменных изменился после «Открыть desc». «Сохранить все» запишет каждый файл по тем ключам и числам значений, по которым были построены таблицы; чтобы перестроить их по новому тексту, снова выполните «Открыть desc».</translation>
    </message>
    <message>
        <source>Save with the &amp;tables&apos; layout</source>
        <translation>Сохранить по текущему построению &amp;таблиц</translation>
    </message>
</context>
<context>
    <name>SaveReview</name>
    <message>
        <source>  (changed on disk since it was read)</source>
        <translation>  (изменился на диске после чтения)</translation>
    </message>
    <message>
        <source>Save all stops here: %1</source>
        <translation>«Сохранить все» останавливается здесь: %1</translation>
    </message>
    <message numerus="yes">
        <source>Save all would change %n file of %1, %2 in all.</source>
        <comment>Save all would change %n files of %1, %2 in all.</comment>
        <translation>
            <numerusform>«Сохранить все» изменило бы %n файл из %1, всего %2.</numerusform>
            <numerusform>«Сохранить все» изменило бы %n файла из %1, всего %2.</numerusform>
            <numerusform>«Сохранить все» изменило бы %n файлов из %1, всего %2.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n key line</source>
        <comment>%n key lines</comment>
        <translation>
            <numerusform>%n строку ключа</numerusform>
            <numerusform>%n строки ключей</numerusform>
            <numerusform>%n строк ключей</numerusform>
        </translation>
    </message>
    <message>
        <source>Only the key lines whose values change are written.</source>
        <translation>Записываются только строки ключей, значения которых меняются.</translation>
    </message>
    <message numerus="yes">
        <source>Of these, %n key line would only be respelled, with the values they hold</source>
        <comment>Of these, %n key lines would only be respelled, with the values they hold</comment>
        <translation>
            <numerusform>Из них %n строка ключа была бы только переписана с теми же значениями</numerusform>
            <numerusform>Из них %n строки ключей были бы только переписаны с теми же значениями</numerusform>
            <numerusform>Из них %n строк ключей были бы только переписаны с теми же значениями</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n file would change only in spelling</source>
        <comment>; %n files would change only in spelling</comment>
        <translation>
            <numerusform>; в %n файле изменилась бы только запись</numerusform>
            <numerusform>; в %n файлах изменилась бы только запись</numerusform>
            <numerusform>; в %n файлах изменилась бы только запись</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Search</name>
    <message>
        <source>The regular expression would search too slowly (it is %1 steps long; at most %2 are allowed)</source>
        <translation>Регулярное выражение искало бы слишком медленно (в нём %1 шагов; допустимо не более %2)</translation>
    </message>
    <message>
        <source>The regular expression would search too slowly (%1 makes it %2 steps long; at most %3 are allowed)</source>
        <translation>Регулярное выражение искало бы слишком медленно (из-за %1 в нём %2 шагов; допустимо не более %3)</translation>
    </message>
    <message>
        <source>unexpected error</source>
        <translation>непредвиденная ошибка</translation>
    </message>
    <message>
        <source>invalid escape sequence</source>
        <translation>недопустимая escape-последовательность</translation>
    </message>
    <message>
        <source>invalid character class</source>
        <translation>недопустимый класс символов</translation>
    </message>
    <message>
        <source>invalid character class range</source>
        <translation>недопустимый диапазон в классе символов</translation>
    </message>
    <message>
        <source>missing ]</source>
        <translation>не хватает ]</translation>
    </message>
    <message>
        <source>missing )</source>
        <translation>не хватает )</translation>
    </message>
    <message>
        <source>unexpected )</source>
        <translation>лишняя )</translation>
    </message>
    <message>
        <source>trailing \</source>
        <translation>\ в конце</translation>
    </message>
    <message>
        <source>no argument for repetition operator</source>
        <translation>нет аргумента для оператора повторения</translation>
    </message>
    <message>
        <source>invalid repetition size</source>
        <translation>недопустимое число повторений</translation>
    </message>
    <message>
        <source>bad repetition operator</source>
        <translation>неверный оператор повторения</translation>
    </message>
    <message>
        <source>invalid perl operator</source>
        <translation>недопустимый оператор perl</translation>
    </message>
    <message>
        <source>invalid UTF-8</source>
        <translation>недопустимый UTF-8</translation>
    </message>
    <message>
        <source>invalid named capture group</source>
        <translation>недопустимая именованная группа</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The regular expression is too large</source>
        <translation>Регулярное выражение слишком большое</translation>
    </message>
    <message>
        <source>Back references (%1) are not supported in regular expressions</source>
        <translation>Обратные ссылки (%1) в регулярных выражениях не поддерживаются</translation>
    </message>
    <message>
        <source>Lookahead and lookbehind (%1) are not supported in regular expressions</source>
        <translation>Опережающие и ретроспективные проверки (%1) в регулярных выражениях не поддерживаются</translation>
    </message>
    <message>
        <source>Not a regular expression (%1)</source>
        <translation>Не регулярное выражение (%1)</translation>
    </message>
    <message>
        <source>Expected the text to find</source>
        <translation>Ожидался текст для поиска</translation>
    </message>
</context>
<context>
    <name>Spreadsheet</name>
    <message>
        <source>Cyrillic (Windows-1251)</source>
        <translation>Кириллица (Windows-1251)</translation>
    </message>
    <message>
        <source>Western Europe (Windows-1252/WinLatin 1)</source>
        <translation>Западноевропейская (Windows-1252/WinLatin 1)</translation>
    </message>
    <message>
        <source>Western Europe (ISO-8859-1)</source>
        <translation>Западноевропейская (ISO-8859-1)</translation>
    </message>
    <message>
        <source>Eastern Europe (Windows-1250/WinLatin 2)</source>
        <translation>Восточноевропейская (Windows-1250/WinLatin 2)</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>Bulk editor of SuddenStrike desc files</source>
        <translation>Пакетный редактор desc-файлов SuddenStrike</translation>
    </message>
    <message>
        <source>About program</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TFormCM</name>
    <message>
        <source>Unpack</source>
        <translation>Распаковать</translation>
    </message>
    <message>
        <source>Pack</source>
        <translation>Упаковать</translation>
    </message>
    <message>
        <source>Path to sue.exe</source>
        <translation>Путь к sue.exe</translation>
    </message>
    <message>
        <source>Path to unsue.exe</source>
        <translation>Путь к unsue.exe</translation>
    </message>
    <message>
        <source>Path to .sue archive</source>
        <translation>Путь к архиву .sue</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Отменить: %1</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Отменить</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Повторить: %1</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Повторить</translation>
    </message>
    <message>
        <source>opening other files</source>
        <translation>открытием других файлов</translation>
    </message>
    <message>
        <source>closing</source>
        <translation>закрытием</translation>
    </message>
    <message>
        <source>Open desc stopped at %1: %2 of %3 files loaded</source>
        <translation>Открытие desc остановлено на %1; загружено файлов: %2 из %3</translation>
    </message>
    <message>
        <source>%1 is the same file as %2: opened once</source>
        <translation>%1 — тот же файл, что и %2: открыт один раз</translation>
    </message>
    <message>
        <source>%1 is the same file as %2, and %3: each file opened once</source>
        <translation>%1 — тот же файл, что и %2, и %3: каждый файл открыт один раз</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Несохранённые изменения</translation>
    </message>
    <message>
        <source>&amp;Save all</source>
        <translation>&amp;Сохранить все</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Не сохранять</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>The desc preview of %1 has unsaved edits. Save them first?</source>
        <translation>В предпросмотре desc-файла %1 есть несохранённые правки. Сначала сохранить их?</translation>
    </message>
    <message>
        <source>Save c&amp;urrent</source>
        <translation>Сохранить &amp;текущий</translation>
    </message>
    <message>
        <source>Export table</source>
        <translation>Экспорт таблицы</translation>
    </message>
    <message>
        <source>Review changes</source>
        <translation>Просмотр изменений</translation>
    </message>
    <message>
        <source>What Save all writes</source>
        <translation>Что запишет «Сохранить все»</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Назад</translation>
    </message>
    <message>
        <source>laying the files out again</source>
        <translation>перестройкой таблиц</translation>
    </message>
    <message>
        <source>Save variables</source>
        <translation>Сохранить переменные</translation>
    </message>
    <message>
        <source>Column summary</source>
        <translation>Сводка по столбцу</translation>
    </message>
    <message>
        <source>Values that differ from their column&apos;s most common value in blue</source>
        <translation>Значения, отличные от самого частого значения своего столбца, выделены синим</translation>
    </message>
    <message>
        <source>Dravik 2 v1.3 beta</source>
        <extracomment>The window&apos;s caption: the program&apos;s name and version.</extracomment>
        <translation>Dravik 2 v1.3 beta</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Open desc</source>
        <translation>&amp;Открыть desc</translation>
    </message>
    <message>
        <source>Import table                 </source>
        <extracomment>The caption ends in 17 blanks, as the original program&apos;s did.</extracomment>
        <translation>Импорт таблицы                 </translation>
    </message>
    <message>
        <source>Review changes…</source>
        <translation>Просмотр изменений…</translation>
    </message>
    <message>
        <source>E&amp;dit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>Re&amp;vert to disk values</source>
        <translation>Вернуть &amp;значения с диска</translation>
    </message>
    <message>
        <source>S&amp;ettings</source>
        <translation>&amp;Настройки</translation>
    </message>
    <message>
        <source>Open va&amp;riables</source>
        <translation>&amp;Открыть переменные</translation>
    </message>
    <message>
        <source>Save var&amp;iables</source>
        <translation>&amp;Сохранить переменные</translation>
    </message>
    <message>
        <source>Fon&amp;t</source>
        <translation>&amp;Шрифт</translation>
    </message>
    <message>
        <source>Path to editor</source>
        <translation>Путь к редактору</translation>
    </message>
    <message>
        <source>Path to game</source>
        <translation>Путь к игре</translation>
    </message>
    <message>
        <source>Utitlities</source>
        <extracomment>The menu&apos;s name is spelt so in the original program; keep the user&apos;s language&apos;s plain word for utilities.</extracomment>
        <translation>Утилиты</translation>
    </message>
    <message>
        <source>Co&amp;nMAN</source>
        <translation>Co&amp;nMAN</translation>
    </message>
    <message>
        <source>D&amp;AN                    </source>
        <extracomment>The caption ends in 20 blanks, as the original program&apos;s did.</extracomment>
        <translation>D&amp;AN                    </translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Задачи</translation>
    </message>
    <message>
        <source>QuickPack             </source>
        <extracomment>The caption ends in 13 blanks, as the original program&apos;s did.</extracomment>
        <translation>QuickPack             </translation>
    </message>
    <message>
        <source>Start Editor</source>
        <translation>Запустить редактор</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Запустить игру</translation>
    </message>
    <message>
        <source>Ab&amp;out</source>
        <translation>&amp;О программе</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Версия</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Язык</translation>
    </message>
    <message>
        <source>File List</source>
        <translation>Список файлов</translation>
    </message>
    <message>
        <source>Section %1</source>
        <translation>Секция %1</translation>
    </message>
    <message>
        <source>Text section</source>
        <translation>Текстовая секция</translation>
    </message>
    <message>
        <source>Export/Import table</source>
        <translation>Экспорт/импорт таблицы</translation>
    </message>
    <message>
        <source>File of variables :</source>
        <translation>Файл переменных:</translation>
    </message>
    <message numerus="yes">
        <source>%n more path names a file opened already</source>
        <comment>%n more paths name files opened already</comment>
        <translation>
            <numerusform>ещё %n путь указывает на уже открытый файл</numerusform>
            <numerusform>ещё %n пути указывают на уже открытые файлы</numerusform>
            <numerusform>ещё %n путей указывают на уже открытые файлы</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The tables have unsaved changes (%n cell in %1). Save them before %2?</source>
        <comment>The tables have unsaved changes (%n cells in %1). Save them before %2?</comment>
        <translation>
            <numerusform>В таблицах есть несохранённые изменения (%n ячейка, %1). Сохранить их перед %2?</numerusform>
            <numerusform>В таблицах есть несохранённые изменения (%n ячейки, %1). Сохранить их перед %2?</numerusform>
            <numerusform>В таблицах есть несохранённые изменения (%n ячеек, %1). Сохранить их перед %2?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file</source>
        <comment>%n files</comment>
        <translation>
            <numerusform>%n файл</numerusform>
            <numerusform>%n файла</numerusform>
            <numerusform>%n файлов</numerusform>
        </translation>
    </message>
    <message>
        <source>Select the desc files</source>
        <translation>Выберите desc-файлы</translation>
    </message>
    <message>
        <source>all files (*.*)|*.*</source>
        <translation>все файлы (*.*)|*.*</translation>
    </message>
    <message>
        <source>Open desc</source>
        <translation>Открыть desc</translation>
    </message>
    <message>
        <source>Clear summary table?</source>
        <translation>Очистить сводную таблицу?</translation>
    </message>
    <message>
        <source>Select the variable file</source>
        <translation>Выберите файл переменных</translation>
    </message>
    <message>
        <source>Select the executable file of map editor</source>
        <translation>Выберите исполняемый файл редактора карт</translation>
    </message>
    <message>
        <source>Select the SuddenStrike executable file</source>
        <translation>Выберите исполняемый файл SuddenStrike</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>&amp;Filter rows…</source>
        <translation>&amp;Фильтр строк…</translation>
    </message>
    <message>
        <source>&amp;Difference colours</source>
        <translation>&amp;Цвета отличий</translation>
    </message>
    <message>
        <source>Column &amp;summary</source>
        <translation>&amp;Сводка по столбцу</translation>
    </message>
    <message>
        <source>opening a mod set</source>
        <translation>открытием набора модов</translation>
    </message>
</context>
<context>
    <name>TableExport</name>
    <message>
        <source>Export table</source>
        <translation>Экспорт таблицы</translation>
    </message>
    <message>
        <source>tabulated text files|*.txt</source>
        <translation>текстовые файлы с табуляцией|*.txt</translation>
    </message>
    <message numerus="yes">
        <source>Exported %n rows into %1</source>
        <comment>Exported %n rows into %1</comment>
        <translation>
            <numerusform>Экспортирована %n строка в %1</numerusform>
            <numerusform>Экспортированы %n строки в %1</numerusform>
            <numerusform>Экспортировано %n строк в %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Tables</name>
    <message>
        <source>File number</source>
        <translation>Номер файла</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Имя файла</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Путь</translation>
    </message>
</context>
<context>
    <name>TdanForm</name>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Секция</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Copy to Dravik2</source>
        <translation>Копировать в Dravik2</translation>
    </message>
</context>
<context>
    <name>Tools</name>
    <message>
        <source>RunCaptured Error</source>
        <translation>Ошибка RunCaptured</translation>
    </message>
    <message>
        <source>Could not execute command line!</source>
        <translation>Не удалось выполнить командную строку!</translation>
    </message>
</context>
<context>
    <name>Value checks</name>
    <message>
        <source>not a number, in a column whose files all hold numbers</source>
        <translation>не число, в столбце, где во всех файлах числа</translation>
    </message>
    <message>
        <source>several words: Save all writes each as a value of its own, so the key&apos;s later values move along</source>
        <translation>несколько слов: «Сохранить все» запишет каждое как отдельное значение, и следующие значения ключа сдвинутся</translation>
    </message>
    <message>
        <source>this file has no line for %1; Save all cannot write it</source>
        <translation>в этом файле нет строки %1; «Сохранить все» не сможет это записать</translation>
    </message>
    <message>
        <source>a line break: Save all cannot write it, as it would split the key line</source>
        <translation>перевод строки: «Сохранить все» не может его записать, так как он разбил бы строку ключа</translation>
    </message>
    <message>
        <source>a Ctrl+Z (byte 26): Save all cannot write it, as programs reading the file as text end it there</source>
        <translation>Ctrl+Z (байт 26): «Сохранить все» не может его записать, так как программы, читающие файл как текст, на нём файл заканчивают</translation>
    </message>
    <message>
        <source>a NUL (byte 0): Save all cannot write it, as the game and other programs end the line there</source>
        <translation>NUL (байт 0): «Сохранить все» не может его записать, так как игра и другие программы на нём обрывают строку</translation>
    </message>
    <message>
        <source>a TAB: programs that separate values by blanks and TABs read two values there</source>
        <translation>TAB: программы, разделяющие значения пробелами и табуляциями, прочтут здесь два значения</translation>
    </message>
    <message>
        <source>a control character (byte %1), invisible, which no desc line should hold</source>
        <translation>управляющий символ (байт %1), невидимый; его не должно быть в строке desc</translation>
    </message>
</context>
<context>
    <name>VariablesQuestions</name>
    <message>
        <source>Unsaved changes</source>
        <translation>Несохранённые изменения</translation>
    </message>
    <message>
        <source>The variables text has unsaved edits. Save them first?</source>
        <translation>В тексте переменных есть несохранённые правки. Сначала сохранить их?</translation>
    </message>
    <message>
        <source>Save var&amp;iables</source>
        <translation>&amp;Сохранить переменные</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Не сохранять</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message numerus="yes">
        <source>the open file</source>
        <comment>the %n open files</comment>
        <translation>
            <numerusform>%n открытый файл</numerusform>
            <numerusform>%n открытых файла</numerusform>
            <numerusform>%n открытых файлов</numerusform>
        </translation>
    </message>
    <message>
        <source>Lay out %1 again by the variables text the analyzer drafted?</source>
        <translation>Перестроить %1 по тексту переменных, составленному анализатором?</translation>
    </message>
    <message>
        <source>Lay out %1 again by the variables file just opened?</source>
        <translation>Перестроить %1 по только что открытому файлу переменных?</translation>
    </message>
    <message>
        <source>Until then the tables keep the keys and counts they were opened with.</source>
        <translation>До тех пор в таблицах остаются ключи и числа значений, с которыми они были открыты.</translation>
    </message>
    <message>
        <source>Lay out again</source>
        <translation>Перестроить</translation>
    </message>
    <message>
        <source>&amp;Lay them out</source>
        <translation>&amp;Перестроить</translation>
    </message>
    <message>
        <source>&amp;Not now</source>
        <translation>&amp;Не сейчас</translation>
    </message>
</context>
<context>
    <name>dravik::ui::BulkEditActions</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Копировать</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Вст&amp;авить</translation>
    </message>
    <message>
        <source>&amp;Find…</source>
        <translation>&amp;Найти…</translation>
    </message>
    <message>
        <source>Find &amp;next</source>
        <translation>Найти &amp;далее</translation>
    </message>
    <message>
        <source>Find pre&amp;vious</source>
        <translation>Найти п&amp;редыдущее</translation>
    </message>
    <message>
        <source>R&amp;eplace…</source>
        <translation>За&amp;менить…</translation>
    </message>
    <message>
        <source>Set &amp;selection…</source>
        <translation>Изменить &amp;выделенное…</translation>
    </message>
    <message>
        <source>Find and replace</source>
        <translation>Найти и заменить</translation>
    </message>
</context>
<context>
    <name>dravik::ui::CheckPane</name>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Ключ</translation>
    </message>
    <message>
        <source>Value number</source>
        <translation>Номер значения</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Причина</translation>
    </message>
    <message>
        <source>&amp;Accept this value</source>
        <translation>&amp;Принять это значение</translation>
    </message>
    <message>
        <source>This value of this file is meant as it is</source>
        <translation>Это значение этого файла задумано таким</translation>
    </message>
    <message>
        <source>Relax the &amp;group&apos;s rule</source>
        <translation>Ослабить правило &amp;группы</translation>
    </message>
    <message>
        <source>The rule of these files lets this value pass (a range widened to it, a word added)</source>
        <translation>Правило этих файлов пропускает это значение (диапазон расширяется до него, слово добавляется)</translation>
    </message>
    <message>
        <source>Stop checking this &amp;column</source>
        <translation>Не проверять этот &amp;столбец</translation>
    </message>
    <message>
        <source>Checks</source>
        <translation>Проверки</translation>
    </message>
    <message>
        <source>&amp;Checks</source>
        <translation>П&amp;роверки</translation>
    </message>
    <message numerus="yes">
        <source>%n check</source>
        <comment>%n checks</comment>
        <translation>
            <numerusform>%n проверка</numerusform>
            <numerusform>%n проверки</numerusform>
            <numerusform>%n проверок</numerusform>
        </translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>Base game</source>
        <translation>Оригинальная игра</translation>
    </message>
    <message>
        <source>Edited value</source>
        <translation>Изменённое значение</translation>
    </message>
</context>
<context>
    <name>dravik::ui::ConflictDialog</name>
    <message>
        <source>Take the patch&apos;s</source>
        <translation>Взять из патча</translation>
    </message>
    <message>
        <source>Keep mine</source>
        <translation>Оставить моё</translation>
    </message>
    <message>
        <source>&amp;Take the patch&apos;s for all</source>
        <translation>&amp;Взять из патча для всех</translation>
    </message>
    <message>
        <source>&amp;Keep mine for all</source>
        <translation>&amp;Оставить моё для всех</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Применить</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Ключ</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Base</source>
        <translation>Оригинал</translation>
    </message>
    <message>
        <source>This mod</source>
        <translation>Этот мод</translation>
    </message>
    <message>
        <source>The patch</source>
        <translation>Патч</translation>
    </message>
</context>
<context>
    <name>dravik::ui::ConflictReview</name>
    <message>
        <source>Review conflicts</source>
        <translation>Обзор конфликтов</translation>
    </message>
    <message>
        <source>Show only the rows holding this text</source>
        <translation>Показывать только строки с этим текстом</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Ключ</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Original game</source>
        <translation>Оригинальная игра</translation>
    </message>
    <message>
        <source>Merged</source>
        <translation>Слияние</translation>
    </message>
    <message>
        <source>Winner</source>
        <translation>Победитель</translation>
    </message>
    <message>
        <source>Why</source>
        <translation>Почему</translation>
    </message>
    <message>
        <source>Mod %1</source>
        <translation>Мод %1</translation>
    </message>
    <message>
        <source>Its value</source>
        <translation>Его значение</translation>
    </message>
    <message>
        <source>&amp;Export…</source>
        <translation>&amp;Экспорт…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Export conflicts</source>
        <translation>Экспорт конфликтов</translation>
    </message>
    <message>
        <source>TAB-separated text (*.txt)|*.txt|all files (*.*)|*.*</source>
        <translation>текст, разделённый TAB (*.txt)|*.txt|все файлы (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>dravik::ui::FilterBar</name>
    <message>
        <source>File list</source>
        <translation>Список файлов</translation>
    </message>
    <message>
        <source>Text section</source>
        <translation>Текстовая секция</translation>
    </message>
    <message>
        <source>Section %1</source>
        <translation>Секция %1</translation>
    </message>
    <message>
        <source>The table the filter reads</source>
        <translation>Таблица, которую читает фильтр</translation>
    </message>
    <message>
        <source>The column the filter reads</source>
        <translation>Столбец, который читает фильтр</translation>
    </message>
    <message>
        <source>Filter: text, /regex/, &gt; 100, 50..80, empty, changed, differs</source>
        <translation>Фильтр: текст, /regex/, &gt; 100, 50..80, empty, changed, differs</translation>
    </message>
    <message>
        <source>text or /regular expression/; &gt; 100, &lt;= 5, = 0, &lt;&gt; 3, 50..80; = text (whole cell);
empty, changed, differs (from the column&apos;s most common value); &apos;text: as written</source>
        <translation>текст или /регулярное выражение/; &gt; 100, &lt;= 5, = 0, &lt;&gt; 3, 50..80; = текст (вся ячейка);
empty (пусто), changed (изменено), differs (отличается от самого частого значения столбца); &apos;текст: как написано</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Учитывать регистр</translation>
    </message>
    <message>
        <source>Close the filter bar and show every row (Esc)</source>
        <translation>Закрыть панель фильтра и показать все строки (Esc)</translation>
    </message>
    <message>
        <source>any column</source>
        <translation>любой столбец</translation>
    </message>
</context>
<context>
    <name>dravik::ui::FindBar</name>
    <message>
        <source>Re&amp;gular expression</source>
        <translation>Регулярное в&amp;ыражение</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Учитывать регистр</translation>
    </message>
    <message>
        <source>&amp;Whole cell</source>
        <translation>&amp;Ячейка целиком</translation>
    </message>
    <message>
        <source>Current table</source>
        <translation>Текущая таблица</translation>
    </message>
    <message>
        <source>All section tables</source>
        <translation>Все таблицы секций</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Выделение</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>Пре&amp;дыдущее</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Следующее</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Заменить</translation>
    </message>
    <message>
        <source>Replace &amp;all</source>
        <translation>Заменить &amp;все</translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Найти:</translation>
    </message>
    <message>
        <source>Replace &amp;with:</source>
        <translation>За&amp;менить на:</translation>
    </message>
    <message>
        <source>&amp;In:</source>
        <translation>&amp;Где:</translation>
    </message>
</context>
<context>
    <name>dravik::ui::FindReplace</name>
    <message>
        <source>No table on this tab to search.</source>
        <translation>На этой вкладке нет таблицы для поиска.</translation>
    </message>
    <message>
        <source>Type what to find.</source>
        <translation>Введите, что искать.</translation>
    </message>
    <message>
        <source>Cannot search for this: %1.</source>
        <translation>Так искать нельзя: %1.</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>table rows</source>
        <translation>строки таблицы</translation>
    </message>
    <message>
        <source>The search was stopped.</source>
        <translation>Поиск остановлен.</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 из %2</translation>
    </message>
    <message>
        <source>Not found.</source>
        <translation>Не найдено.</translation>
    </message>
    <message>
        <source>Nothing replaced: the replacement holds a line break, which would split the key lines.</source>
        <translation>Ничего не заменено: замена содержит перевод строки, который разбил бы строки ключей.</translation>
    </message>
    <message>
        <source>Replace all</source>
        <translation>Замена всех вхождений</translation>
    </message>
    <message>
        <source>Nothing replaced: stopped.</source>
        <translation>Ничего не заменено: остановлено.</translation>
    </message>
    <message>
        <source>Nothing replaced: no value cell here holds a match.</source>
        <translation>Ничего не заменено: ни одна ячейка значений здесь не содержит совпадений.</translation>
    </message>
    <message numerus="yes">
        <source>Replaced in %n cell of %1.</source>
        <comment>Replaced in %n cells of %1.</comment>
        <translation>
            <numerusform>Заменено в %n ячейке (%1).</numerusform>
            <numerusform>Заменено в %n ячейках (%1).</numerusform>
            <numerusform>Заменено в %n ячейках (%1).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file</source>
        <comment>%n files</comment>
        <translation>
            <numerusform>%n файл</numerusform>
            <numerusform>%n файла</numerusform>
            <numerusform>%n файлов</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>dravik::ui::FolderActions</name>
    <message>
        <source>Open &amp;folder…</source>
        <translation>Открыть &amp;папку…</translation>
    </message>
    <message>
        <source>Recent fol&amp;ders</source>
        <translation>&amp;Недавние папки</translation>
    </message>
    <message>
        <source>Choose the folder to open.</source>
        <translation>Выберите папку, которую открыть.</translation>
    </message>
    <message>
        <source>No file below this folder matches &quot;%1&quot;.</source>
        <translation>Ни один файл в этой папке и её подпапках не подходит под «%1».</translation>
    </message>
    <message>
        <source>Open folder</source>
        <translation>Открыть папку</translation>
    </message>
    <message>
        <source>No file below %1 matches &quot;%2&quot;.</source>
        <translation>Ни один файл в %1 и её подпапках не подходит под «%2».</translation>
    </message>
    <message>
        <source>No file below these %1 folders matches &quot;%2&quot;.</source>
        <translation>Ни один файл в этих папках (%1) и их подпапках не подходит под «%2».</translation>
    </message>
    <message>
        <source>%1 could not be read; the files in them were not opened:</source>
        <translation>Не удалось прочитать %1; файлы оттуда не открыты:</translation>
    </message>
    <message>
        <source>1 folder</source>
        <translation>одну папку</translation>
    </message>
    <message>
        <source>%1 folders</source>
        <translation>папки (%1)</translation>
    </message>
    <message>
        <source>Variables file: %1</source>
        <translation>Файл переменных: %1</translation>
    </message>
</context>
<context>
    <name>dravik::ui::FolderDialog</name>
    <message>
        <source>&amp;Browse…</source>
        <translation>&amp;Обзор…</translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation>&amp;Папка:</translation>
    </message>
    <message>
        <source>* stands for any characters, ? for one; several patterns separated by ;</source>
        <translation>* — любые символы, ? — один символ; несколько шаблонов разделяются ;</translation>
    </message>
    <message>
        <source>&amp;Names:</source>
        <translation>&amp;Имена:</translation>
    </message>
    <message>
        <source>Counting…</source>
        <translation>Подсчёт…</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>О&amp;ткрыть</translation>
    </message>
</context>
<context>
    <name>dravik::ui::GridModel</name>
    <message>
        <source>Check this value: %1</source>
        <translation>Проверьте это значение: %1</translation>
    </message>
    <message>
        <source>On disk: &quot;%1&quot;</source>
        <translation>На диске: «%1»</translation>
    </message>
    <message>
        <source>The column&apos;s most common value: &quot;%1&quot;</source>
        <translation>Самое частое значение столбца: «%1»</translation>
    </message>
    <message>
        <source>This file has unsaved changes</source>
        <translation>В этом файле есть несохранённые изменения</translation>
    </message>
    <message numerus="yes">
        <source>This file&apos;s line of %1 has %n value</source>
        <comment>This file&apos;s line of %1 has %n values</comment>
        <translation>
            <numerusform>Строка %1 в этом файле содержит %n значение</numerusform>
            <numerusform>Строка %1 в этом файле содержит %n значения</numerusform>
            <numerusform>Строка %1 в этом файле содержит %n значений</numerusform>
        </translation>
    </message>
    <message>
        <source>; the variables file counts %1.</source>
        <translation>; в файле переменных их %1.</translation>
    </message>
    <message>
        <source>No value %1 here: typing one adds it to the line, with the values before it.</source>
        <translation>Здесь нет значения %1: если ввести его, оно добавится в строку вместе со значениями перед ним.</translation>
    </message>
    <message>
        <source>Value %1 is added to the line by Save all.</source>
        <translation>Значение %1 добавит в строку команда «Сохранить все».</translation>
    </message>
    <message>
        <source>The 1 value after this one is not shown; Save all keeps it.</source>
        <translation>Следующее за этим 1 значение не показано; «Сохранить все» его сохранит.</translation>
    </message>
    <message>
        <source>The %1 values after this one are not shown; Save all keeps them.</source>
        <translation>Следующие за этим значения (%1) не показаны; «Сохранить все» их сохранит.</translation>
    </message>
</context>
<context>
    <name>dravik::ui::HistogramView</name>
    <message>
        <source>no numbers</source>
        <translation>нет чисел</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n value
Click to show only these rows</source>
        <comment>%1: %n values
Click to show only these rows</comment>
        <translation>
            <numerusform>%1: %n значение
Щёлкните, чтобы показать только эти строки</numerusform>
            <numerusform>%1: %n значения
Щёлкните, чтобы показать только эти строки</numerusform>
            <numerusform>%1: %n значений
Щёлкните, чтобы показать только эти строки</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>dravik::ui::ModActions</name>
    <message>
        <source>Compare with &amp;base…</source>
        <translation>С&amp;равнить с оригиналом…</translation>
    </message>
    <message>
        <source>Export &amp;patch…</source>
        <translation>&amp;Экспорт патча…</translation>
    </message>
    <message>
        <source>Appl&amp;y patch…</source>
        <translation>Прим&amp;енить патч…</translation>
    </message>
    <message>
        <source>Revert to &amp;base values</source>
        <translation>Вернуть значения ори&amp;гинала</translation>
    </message>
    <message>
        <source>&amp;Base marks</source>
        <translation>Отметки &amp;оригинала</translation>
    </message>
    <message>
        <source>Values that differ from the base game&apos;s with a bar at the cell&apos;s left edge</source>
        <translation>Значения, отличные от оригинальной игры, отмечены полоской у левого края ячейки</translation>
    </message>
    <message>
        <source>Compare with base: the base game&apos;s folder</source>
        <translation>Сравнить с оригиналом: папка оригинальной игры</translation>
    </message>
    <message>
        <source>Compare with base</source>
        <translation>Сравнить с оригиналом</translation>
    </message>
    <message>
        <source>%1. Its files count as new in this mod.</source>
        <translation>%1. Её файлы считаются новыми в этом моде.</translation>
    </message>
    <message>
        <source>None of the open files is at the same path below &quot;%1&quot; as below &quot;%2&quot;, so each counts as new in this mod. The base game&apos;s folder is the one that holds what the mod&apos;s folder holds.</source>
        <translation>Ни один из открытых файлов не лежит внутри «%1» по тому же пути, что внутри «%2», поэтому каждый считается новым в этом моде. Папка оригинальной игры — та, в которой лежит то же, что в папке мода.</translation>
    </message>
    <message>
        <source>Keep comparing the files just opened with the base game in &quot;%1&quot;?</source>
        <translation>Продолжать сравнивать только что открытые файлы с оригинальной игрой в «%1»?</translation>
    </message>
    <message>
        <source>&amp;Keep comparing</source>
        <translation>&amp;Сравнивать дальше</translation>
    </message>
    <message>
        <source>&amp;Stop comparing</source>
        <translation>&amp;Прекратить сравнение</translation>
    </message>
    <message>
        <source>Export patch</source>
        <translation>Экспорт патча</translation>
    </message>
    <message numerus="yes">
        <source>Exported %n changed value of %1 into %2.</source>
        <comment>Exported %n changed values of %1 into %2.</comment>
        <translation>
            <numerusform>В %2 экспортировано %n изменённое значение (%1).</numerusform>
            <numerusform>В %2 экспортировано %n изменённых значения (%1).</numerusform>
            <numerusform>В %2 экспортировано %n изменённых значений (%1).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file</source>
        <comment>%n files</comment>
        <translation>
            <numerusform>%n файл</numerusform>
            <numerusform>%n файла</numerusform>
            <numerusform>%n файлов</numerusform>
        </translation>
    </message>
    <message>
        <source>A patch cannot carry these differences:</source>
        <translation>Патч не может передать эти различия:</translation>
    </message>
    <message>
        <source>Apply patch</source>
        <translation>Применение патча</translation>
    </message>
    <message>
        <source>Apply patch: conflicts</source>
        <translation>Применение патча: конфликты</translation>
    </message>
    <message numerus="yes">
        <source>This mod and the patch both changed %n value from the base. For each, take the patch&apos;s value or keep this mod&apos;s; the rest of the patch is applied either way.</source>
        <comment>This mod and the patch both changed %n values from the base. For each, take the patch&apos;s value or keep this mod&apos;s; the rest of the patch is applied either way.</comment>
        <translation>
            <numerusform>И этот мод, и патч изменили относительно оригинала %n значение. Для каждого выберите: взять значение из патча или оставить значение мода; остальное из патча применяется в любом случае.</numerusform>
            <numerusform>И этот мод, и патч изменили относительно оригинала %n значения. Для каждого выберите: взять значение из патча или оставить значение мода; остальное из патча применяется в любом случае.</numerusform>
            <numerusform>И этот мод, и патч изменили относительно оригинала %n значений. Для каждого выберите: взять значение из патча или оставить значение мода; остальное из патча применяется в любом случае.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Applied %n value in %1; %2 already held the patch&apos;s value.</source>
        <comment>Applied %n values in %1; %2 already held the patch&apos;s value.</comment>
        <translation>
            <numerusform>Применено %n значение (%1); уже совпадали с патчем: %2.</numerusform>
            <numerusform>Применено %n значения (%1); уже совпадали с патчем: %2.</numerusform>
            <numerusform>Применено %n значений (%1); уже совпадали с патчем: %2.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Of %n conflict, %1 took the patch&apos;s value and %2 kept this mod&apos;s.</source>
        <comment>Of %n conflicts, %1 took the patch&apos;s value and %2 kept this mod&apos;s.</comment>
        <translation>
            <numerusform>Из %n конфликта: взято из патча — %1, оставлено значение мода — %2.</numerusform>
            <numerusform>Из %n конфликтов: взято из патча — %1, оставлено значение мода — %2.</numerusform>
            <numerusform>Из %n конфликтов: взято из патча — %1, оставлено значение мода — %2.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n line of the patch could not be applied:</source>
        <comment>%n lines of the patch could not be applied:</comment>
        <translation>
            <numerusform>%n строку патча не удалось применить:</numerusform>
            <numerusform>%n строки патча не удалось применить:</numerusform>
            <numerusform>%n строк патча не удалось применить:</numerusform>
        </translation>
    </message>
    <message>
        <source>Edit &gt; Undo takes the patch back.</source>
        <translation>Правка &gt; Отменить отменяет патч.</translation>
    </message>
    <message numerus="yes">
        <source>%n file differs from the base</source>
        <comment>%n files differ from the base</comment>
        <translation>
            <numerusform>%n файл отличается от оригинала</numerusform>
            <numerusform>%n файла отличаются от оригинала</numerusform>
            <numerusform>%n файлов отличаются от оригинала</numerusform>
        </translation>
    </message>
    <message>
        <source>, %1 new in this mod</source>
        <translation>, новых в этом моде: %1</translation>
    </message>
    <message>
        <source>Compared with the base game in %1</source>
        <translation>Сравнение с оригинальной игрой в %1</translation>
    </message>
    <message>
        <source>patch files (*.txt)|*.txt|all files (*.*)|*.*</source>
        <translation>файлы патчей (*.txt)|*.txt|все файлы (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>dravik::ui::ModSetActions</name>
    <message>
        <source>mod sets (*.modset)|*.modset|all files (*.*)|*.*</source>
        <translation>наборы модов (*.modset)|*.modset|все файлы (*.*)|*.*</translation>
    </message>
    <message>
        <source>&amp;New mod set…</source>
        <translation>Нов&amp;ый набор модов…</translation>
    </message>
    <message>
        <source>Open &amp;mod set…</source>
        <translation>Открыть набор &amp;модов…</translation>
    </message>
    <message>
        <source>Save mod se&amp;t</source>
        <translation>Сохранить на&amp;бор модов</translation>
    </message>
    <message>
        <source>New mod set</source>
        <translation>Новый набор модов</translation>
    </message>
    <message>
        <source>Open a variables file first: the mod set reads every file by it</source>
        <translation>Сначала откройте файл переменных: набор модов читает по нему каждый файл</translation>
    </message>
    <message>
        <source>Open mod set</source>
        <translation>Открыть набор модов</translation>
    </message>
    <message>
        <source>Save mod set</source>
        <translation>Сохранить набор модов</translation>
    </message>
    <message>
        <source>new mod set</source>
        <translation>новый набор модов</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n conflict</source>
        <comment>%1: %n conflicts</comment>
        <translation>
            <numerusform>%1: %n конфликт</numerusform>
            <numerusform>%1: %n конфликта</numerusform>
            <numerusform>%1: %n конфликтов</numerusform>
        </translation>
    </message>
    <message>
        <source>B&amp;uild merged mod…</source>
        <translation>Собрать мод с&amp;лияния…</translation>
    </message>
    <message>
        <source>Build merged mod: the folder to write it into</source>
        <translation>Собрать мод слияния: папка, в которую его записать</translation>
    </message>
    <message>
        <source>Build merged mod</source>
        <translation>Собрать мод слияния</translation>
    </message>
    <message numerus="yes">
        <source>%n file written, %1 unchanged, %2 removed; the report is %3</source>
        <comment>%n files written, %1 unchanged, %2 removed; the report is %3</comment>
        <translation>
            <numerusform>Записан %n файл, без изменений %1, удалено %2; отчёт: %3</numerusform>
            <numerusform>Записано %n файла, без изменений %1, удалено %2; отчёт: %3</numerusform>
            <numerusform>Записано %n файлов, без изменений %1, удалено %2; отчёт: %3</numerusform>
        </translation>
    </message>
    <message>
        <source>Review con&amp;flicts…</source>
        <translation>Обзор &amp;конфликтов…</translation>
    </message>
    <message>
        <source>The mod set has unsaved changes. Save it before %1?</source>
        <translation>В наборе модов есть несохранённые изменения. Сохранить его перед %1?</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Несохранённые изменения</translation>
    </message>
    <message>
        <source>&amp;Save mod set</source>
        <translation>&amp;Сохранить набор модов</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Не сохранять</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Recent mod se&amp;ts</source>
        <translation>Неда&amp;вние наборы модов</translation>
    </message>
</context>
<context>
    <name>dravik::ui::ModSetDialog</name>
    <message>
        <source>New mod set</source>
        <translation>Новый набор модов</translation>
    </message>
    <message>
        <source>Original game folder:</source>
        <translation>Папка оригинальной игры:</translation>
    </message>
    <message>
        <source>&amp;Browse…</source>
        <translation>&amp;Обзор…</translation>
    </message>
    <message>
        <source>Mods, in their order (the last wins):</source>
        <translation>Моды по порядку (побеждает последний):</translation>
    </message>
    <message>
        <source>Add mod &amp;folder…</source>
        <translation>Добавить &amp;папку мода…</translation>
    </message>
    <message>
        <source>Add &amp;patch…</source>
        <translation>Добавить па&amp;тч…</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Убрать</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>&amp;Выше</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>&amp;Ниже</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>О&amp;ткрыть</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>%1 (patch)</source>
        <translation>%1 (патч)</translation>
    </message>
    <message>
        <source>Original game folder</source>
        <translation>Папка оригинальной игры</translation>
    </message>
    <message>
        <source>Mod folder</source>
        <translation>Папка мода</translation>
    </message>
    <message>
        <source>Patch files</source>
        <translation>Файлы патчей</translation>
    </message>
    <message>
        <source>patch files (*.txt)|*.txt|all files (*.*)|*.*</source>
        <translation>файлы патчей (*.txt)|*.txt|все файлы (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>dravik::ui::ModSetMarks</name>
    <message>
        <source>no value</source>
        <translation>нет значения</translation>
    </message>
    <message>
        <source>the original game</source>
        <translation>оригинальная игра</translation>
    </message>
    <message>
        <source>the value typed</source>
        <translation>введённое значение</translation>
    </message>
    <message>
        <source>Original game: %1</source>
        <translation>Оригинальная игра: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: as the original game</source>
        <translation>%1: как в оригинальной игре</translation>
    </message>
    <message>
        <source>Conflict: %1 wins, last in the order</source>
        <translation>Конфликт: побеждает %1, последний по порядку</translation>
    </message>
    <message>
        <source>Conflict: %1 wins, as chosen</source>
        <translation>Конфликт: побеждает %1, как выбрано</translation>
    </message>
    <message>
        <source>Changed alike by several mods: no conflict</source>
        <translation>Одинаково изменено несколькими модами: не конфликт</translation>
    </message>
    <message>
        <source>Wins: %1</source>
        <translation>Побеждает: %1</translation>
    </message>
</context>
<context>
    <name>dravik::ui::ModsPane</name>
    <message>
        <source>Mods</source>
        <translation>Моды</translation>
    </message>
    <message>
        <source>&amp;Take</source>
        <translation>&amp;Взять</translation>
    </message>
    <message>
        <source>For this key in every file</source>
        <translation>Для этого ключа во всех файлах</translation>
    </message>
    <message>
        <source>Order (the last wins):</source>
        <translation>Порядок (побеждает последний):</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>В&amp;ыше</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>&amp;Ниже</translation>
    </message>
    <message>
        <source>As the original game: no mod changes it</source>
        <translation>Как в оригинальной игре: ни один мод не меняет</translation>
    </message>
    <message>
        <source>the original game</source>
        <translation>оригинальная игра</translation>
    </message>
    <message>
        <source>Take %1</source>
        <translation>Взять %1</translation>
    </message>
    <message>
        <source>Take the original game</source>
        <translation>Взять оригинальную игру</translation>
    </message>
</context>
<context>
    <name>dravik::ui::SummaryPanel</name>
    <message>
        <source>Select a value column, or cells, of a section table</source>
        <translation>Выделите столбец значений или ячейки в таблице секции</translation>
    </message>
    <message>
        <source>Text section</source>
        <translation>Текстовая секция</translation>
    </message>
    <message>
        <source>Section %1</source>
        <translation>Секция %1</translation>
    </message>
    <message>
        <source>%1 (value %2 of %3)</source>
        <translation>%1 (значение %2 из %3)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n column selected</source>
        <comment>%1: %n columns selected</comment>
        <translation>
            <numerusform>%1: выделен %n столбец</numerusform>
            <numerusform>%1: выделено %n столбца</numerusform>
            <numerusform>%1: выделено %n столбцов</numerusform>
        </translation>
    </message>
    <message>
        <source>Cells: %1 in the rows shown</source>
        <translation>Ячеек в показанных строках: %1</translation>
    </message>
    <message>
        <source>With a value: %1</source>
        <translation>Со значением: %1</translation>
    </message>
    <message>
        <source>Distinct values: %1</source>
        <translation>Различных значений: %1</translation>
    </message>
    <message>
        <source>Numbers: all %1</source>
        <translation>Числа: все %1</translation>
    </message>
    <message>
        <source>Numbers: %1 of them</source>
        <translation>Чисел среди них: %1</translation>
    </message>
    <message>
        <source>Minimum: %1   Maximum: %2</source>
        <translation>Минимум: %1   Максимум: %2</translation>
    </message>
    <message>
        <source>Mean: %1   Median: %2</source>
        <translation>Среднее: %1   Медиана: %2</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>(blank)</source>
        <translation>(пусто)</translation>
    </message>
    <message>
        <source>Most common:</source>
        <translation>Самые частые:</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>от %1 до %2</translation>
    </message>
    <message>
        <source>%1 to under %2</source>
        <translation>от %1 до %2, не включая %2</translation>
    </message>
</context>
<context>
    <name>dravik::ui::TableFilter</name>
    <message>
        <source>%1 of %2 files shown</source>
        <translation>Показано файлов: %1 из %2</translation>
    </message>
    <message>
        <source>any column (and every section table)</source>
        <translation>любой столбец (и все таблицы секций)</translation>
    </message>
    <message>
        <source>any column</source>
        <translation>любой столбец</translation>
    </message>
    <message>
        <source>%1 (value %2)</source>
        <translation>%1 (значение %2)</translation>
    </message>
    <message>
        <source>There is no base game to compare with: File &gt; Compare with base…</source>
        <translation>Нет оригинальной игры для сравнения: Файл &gt; Сравнить с оригиналом…</translation>
    </message>
    <message>
        <source>Filter rows</source>
        <translation>Фильтр строк</translation>
    </message>
    <message>
        <source>files</source>
        <translation>файлы</translation>
    </message>
    <message>
        <source>The filter was stopped: every file is shown (Enter applies it again)</source>
        <translation>Фильтр остановлен: показаны все файлы (Enter применит его снова)</translation>
    </message>
    <message>
        <source>The table has no column &quot;%1&quot;</source>
        <translation>В таблице нет столбца «%1»</translation>
    </message>
    <message>
        <source>The tables show no mod set: File &gt; Open mod set…</source>
        <translation>В таблицах нет набора модов: Файл &gt; Открыть набор модов…</translation>
    </message>
    <message>
        <source>The mod set has no mod &quot;%1&quot;</source>
        <translation>В наборе модов нет мода «%1»</translation>
    </message>
</context>
<context>
    <name>dravik::ui::VariablesHint</name>
    <message>
        <source>No variables file yet. It names the keys of each section and how many values each has; the tables show those values, a row for each file.</source>
        <translation>Файла переменных пока нет. Он называет ключи каждой секции и число значений у каждого; таблицы показывают эти значения, по строке на файл.</translation>
    </message>
    <message>
        <source>Open variables…</source>
        <translation>Открыть переменные…</translation>
    </message>
    <message>
        <source>Draft one from the open files…</source>
        <translation>Составить по открытым файлам…</translation>
    </message>
    <message>
        <source>Draft one with the analyzer…</source>
        <translation>Составить анализатором…</translation>
    </message>
    <message>
        <source>The analyzer lists the keys of the open files, with their counts; tick those to edit, add them, and copy them here</source>
        <translation>Анализатор перечисляет ключи открытых файлов с числом значений; отметьте те, что будете править, добавьте их и скопируйте сюда</translation>
    </message>
    <message>
        <source>The analyzer lists the keys of the desc files it opens</source>
        <translation>Анализатор перечисляет ключи desc-файлов, которые он открывает</translation>
    </message>
</context>
</TS>
