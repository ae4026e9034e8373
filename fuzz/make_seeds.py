#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into fuzz/corpus/<target>/.

Deterministic: the same files every run. Only the seeds named here are written; other files in the
corpus folders (minimised inputs that once broke a reader) are left alone.
"""
import pathlib

CORPUS = pathlib.Path(__file__).resolve().parent / "corpus"


def blob(size, seed):
    """Pseudo-random bytes from a fixed linear congruential generator."""
    out = bytearray()
    state = seed
    for _ in range(size):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        out.append(state >> 16 & 0xFF)
    return bytes(out)


def cp(text):
    return text.encode("cp1250")


def record(*fields):
    """A record as the program writes it: texts quoted, numbers bare, CR LF at the end."""
    parts = []
    for f in fields:
        parts.append(b'"' + cp(f) + b'"' if isinstance(f, str) else str(f).encode())
    return b",".join(parts) + b"\r\n"


def question(text, answers, hint, flags):
    return record(text, *answers, hint) + record(*flags)


HEADER = record("Kwiz v 1.0")

VALID_SET = HEADER + b"".join([
    question("Stolica Polski to:", ["Kraków", "Warszawa", "Gdańsk", "Łódź", "Poznań"],
             "Nad Wisłą", [2, 1, 2, 2, 2]),
    question("Ile to 2 + 2?", ["3", "4", "5", "22", ""], "", [2, 1, 2, 2, 2]),
    question("Które są liczbami pierwszymi?", ["2", "3", "4", "9", "11"], "Podzielne tylko przez 1 i siebie",
             [1, 1, 2, 2, 1]),
])

COMMON = {
    "unterminated_quote": b'"abc,def',
    "unterminated_quote_after_fields": b'"a",1,"b',
    "nul_bytes": b'"a\x00b",\x00,1\x00,\x00"\x00"\r\n\x00',
    "lone_cr": b'"a"\r"b"\r12\r\r,',
    "lone_lf": b'"a"\n3\n\n"b"',
    "no_line_end": b'"a","b",1,2',
    "blanks_only": b"   \t  ",
    "many_commas": b"," * 5000,
    "commas_in_quotes": b'"' + b"," * 3000 + b'"',
    "binary_blob": blob(4096, 1250),
}

RECORDS = {
    "empty": b"",
    "numbers_at_widths": b"255,256,32767,32768,-32768,-32769,99999999999999999999,-99999999999999999999\r\n",
    "numbers_rounding": b"254.5,255.5,255.4999,-0.5,-0.6,32767.5,-32768.5,-32768.6,0.5,1.5\r\n",
    "numbers_malformed": b'+,-,.,1.,.5,1e5,0x10,1-2, 12 ,"12",\t7\t,--1,1.2.3\r\n',
    "huge_numbers": b"1" + b"0" * 400 + b",-" + b"9" * 400 + b"." + b"9" * 400 + b"\r\n",
    "text_after_quote": b'"ab"cd,"e" f\r\n"g""h"\r\n  "i"  ,\r\n',
    "code_page": b'"' + bytes(range(0x80, 0x100)) + b'",' + bytes(range(0x01, 0x20)) + b"\r\n",
    "line_ends": b"1\r\n2\n\r3\r\r\n4",
    "megabyte_field": b'"' + b"abcdefghij" * 100_000 + b'",255\r\n' + b"x" * 70_000 + b",32767",
}
# The first byte chooses the kinds: 0xE4 reads text, byte, 16-bit number, value in turn; 0x55 bytes only;
# 0xAA 16-bit numbers only; 0xFF values only; 0x00 texts only.
RECORD_SELECTORS = {"": 0xE4}
NUMBER_SELECTORS = {"_bytes": 0x55, "_int16": 0xAA, "_values": 0xFF, "_texts": 0x00}


def records_seeds():
    seeds = {}
    for name, content in {**COMMON, **RECORDS}.items():
        selectors = NUMBER_SELECTORS if name.startswith("numbers") else RECORD_SELECTORS
        for suffix, selector in selectors.items():
            seeds[name + suffix] = bytes([selector]) + content
    seeds["mixed_sequence"] = bytes([0x1B]) + b'"t",7,-300,"v",x,256,1.5,,'
    return seeds


def questionset_seeds():
    big = question("Długie pytanie " + "ąęśćżźńół" * 12_000, ["a", "b", "c", "d", "e"], "", [1, 2, 2, 2, 2])
    second_texts_start = len(HEADER) + len(question("Stolica Polski to:", ["Kraków", "Warszawa", "Gdańsk",
                                                                              "Łódź", "Poznań"], "Nad Wisłą",
                                                        [2, 1, 2, 2, 2]))
    seeds = dict(COMMON)
    seeds.update({
        "empty": b"",
        "valid_set": VALID_SET,
        "header_only": HEADER,
        "header_no_line_end": b'"Kwiz v 1.0"',
        "wrong_header": record("Kwiz v 2.0") + VALID_SET[len(HEADER):],
        "header_with_blanks": record(" Kwiz v 1.0 ") + VALID_SET[len(HEADER):],
        "header_lower_case": record("kwiz v 1.0") + VALID_SET[len(HEADER):],
        "header_unquoted": b"Kwiz v 1.0\r\n" + VALID_SET[len(HEADER):],
        "cut_inside_texts": VALID_SET[:second_texts_start + 30],
        "cut_inside_flags": VALID_SET[:len(VALID_SET) - 5],
        "flags_300": HEADER + record("q", "a", "b", "c", "d", "e", "h") + b"1,2,300,2,2\r\n" + VALID_SET[len(HEADER):],
        "flags_x": HEADER + record("q", "a", "b", "c", "d", "e", "h") + b"1,x,2,2,2\r\n",
        "flags_negative_and_fraction": HEADER + record("q", "a", "b", "c", "d", "e", "h") + b"-1,2.5,255.5,2,2\r\n",
        "flags_quoted_and_empty": HEADER + record("q", "a", "b", "c", "d", "e", "h") + b'"1",,2, 2 ,2\r\n',
        "six_texts_only": HEADER + record("q", "a", "b", "c", "d", "e") + b"1,2,2,2,2\r\n",
        "lone_cr_set": VALID_SET.replace(b"\r\n", b"\r"),
        "unterminated_quote_in_question": HEADER + b'"Pytanie bez ko\xf1ca,"a","b"',
        "nul_in_texts": HEADER + record("p\x00q", "\x00", "b", "c", "d", "e", "h") + b"1,2,2,2,2\r\n",
        # Questions of twelve empty fields are shorter than the count's length bound allows for.
        "tiny_questions": HEADER + b",,,,,,,,,,,," * 200,
        "big_question": HEADER + big + VALID_SET[len(HEADER):],
        # The last four bytes choose question n (here 2); they sit in a field of their own.
        "n_from_tail": VALID_SET + b"\x00\x00\x00\x02",
        "n_negative_tail": VALID_SET + b"\xff\xff\xff\xfe",
    })
    return seeds


def scale_seeds():
    seeds = dict(COMMON)
    seeds.update({
        "empty": b"",
        "default_layout": b"40,39,34,27,19,12\r\n",
        "editor_layout": b"40\r\n39\r\n34\r\n27\r\n19\r\n12\r\n",
        "five_fields": b"40,39,34,27,19\r\n",
        "seven_fields": b"40,39,34,27,19,12,5\r\n",
        "quoted_numbers": b'"40","39"," 34 ","27","19","12"\r\n',
        "quoted_text": b'"abc",39,34,27,19,12\r\n',
        "unquoted_text": b"x,1,2,3,4,5\r\n",
        "empty_fields": b",,,,,\r\n",
        "fractions_and_signs": b"40.5,+39.25,.5,27.,-0,12\r\n",
        "huge_numbers": b"1" + b"0" * 400 + b',"1' + b"0" * 400 + b'",3,4,5,6\r\n',
        "unterminated_quote_fifth": b'40,39,34,27,"19\r\n12\r\n',
        "nul_in_number": b"40\x00,39,34,27,19,12\r\n",
        "lone_cr_layout": b"40\r39\r34\r27\r19\r12\r",
        "no_line_end": b"40,39,34,27,19,12",
        "editor_layout_blanks": b" 40 \r\n\t39\r\n34\t\r\n27\r\n19\r\n12\r\n",
    })
    return seeds


def config_seeds():
    seeds = dict(COMMON)
    seeds.update({
        "empty": b"",
        "work_file": record("C:\\WIEDO\\", "C:\\WIEDO\\ZESTAWY\\"),
        "work_file_one_field": record("C:\\WIEDO\\"),
        "password": record("tajne"),
        "empty_password": record(""),
        "password_unquoted": b"tajne  \r\n",
        "password_with_quote": b'ta"jne\r\n',
        "password_line_break": b'"ta\r\njne"\r\n',
        "password_undefined_byte": b'"\x81\x83\x88\x90\x98"\r\n',
        "preset": record("Ola", "Testowa", "3b"),
        "preset_two_fields": record("Ola", "Testowa"),
        "preset_empty_first_name": record("", "Testowa", "3b"),
        "preset_polish": record("Żaneta", "Źdźbło-Łęcka", "8ą"),
        "marker": record("wiedo"),
        "many_fields": record(*[str(i) for i in range(10)]),
    })
    return seeds


# Sets the editor and the converter meet: whole ones, damaged ones, and ones the readers take differently.
FIRST_QUESTION = question("Stolica Polski to:", ["Kraków", "Warszawa", "Gdańsk", "Łódź", "Poznań"], "Nad Wisłą",
                          [2, 1, 2, 2, 2])
BAD_FLAGS_MIDDLE = HEADER + FIRST_QUESTION + record("q", "a", "b", "c", "d", "e", "h") + b"1,x,2,2,2\r\n" \
    + VALID_SET[len(HEADER) + len(FIRST_QUESTION):]
LINE_BREAK_TEXTS = HEADER + record("Pytanie\r\nw dwóch wierszach", "a\rb", "c\nd", "e", "f", "g", "h\r\n") \
    + record(1, 2, 2, 2, 2) + VALID_SET[len(HEADER):]
SETS = {
    "valid_set": VALID_SET,
    "header_only": HEADER,
    "empty": b"",
    "cut_inside_texts": VALID_SET[:len(HEADER) + len(FIRST_QUESTION) + 30],
    "cut_inside_flags": VALID_SET[:len(VALID_SET) - 5],
    "bad_flags_middle": BAD_FLAGS_MIDDLE,
    "flags_300_last": VALID_SET[:-len(b"1,1,2,2,1\r\n")] + b"1,1,300,2,1\r\n",
    "flags_blanks_and_quotes": HEADER + record("q", "a", "b", "c", "d", "e", "h") + b' 1 , "2",,2, 2\r\n',
    "line_break_texts": LINE_BREAK_TEXTS,
    "trailing_blanks": VALID_SET + b"  \r\n\t\r\n",
    "trailing_eof_mark": VALID_SET + b"\x1a",
    "unterminated_quote_last": VALID_SET + b'"Pytanie bez ko\xf1ca,"a"\r\n1,2,2,2,2\r\n',
    "tiny_questions": HEADER + b",,,,,,,,,,,\r\n" * 40,
    "lone_cr_set": VALID_SET.replace(b"\r\n", b"\r"),
    "lower_case_polish": HEADER + question("źdźbło żółwia ąęśćńół", ["ą", "b", "c", "d", "e"], "", [1, 2, 2, 2, 2]),
    "binary_blob": HEADER + blob(1024, 77),
}


def editor_seeds():
    """Two bytes before the set: the first chooses question n (low three bits) and the question written
    (the rest); the second the question rewritten (low six bits) and the counters (the top two)."""
    seeds = {}
    for name, content in SETS.items():
        seeds[name] = bytes([0x01, 0x01]) + content
    seeds.update({
        "valid_rewrite_first_empty": bytes([0x0A, 0x00]) + VALID_SET,
        "valid_rewrite_last_typing_new": bytes([0x12, 0x42]) + VALID_SET,
        "valid_rewrite_long_text": bytes([0x1B, 0x01]) + VALID_SET,
        "valid_rewrite_copied_question": bytes([0x24, 0x02]) + VALID_SET,
        "valid_wrong_count": bytes([0x05, 0x81]) + VALID_SET,
        "valid_no_such_question": bytes([0x07, 0x03]) + VALID_SET,
        "bad_flags_rewrite_first": bytes([0x00, 0x00]) + BAD_FLAGS_MIDDLE,
        "line_breaks_rewrite_first": bytes([0x20, 0x00]) + LINE_BREAK_TEXTS,
        "header_only_typing_new": bytes([0x00, 0x41]) + HEADER,
    })
    return seeds


def export_seeds():
    """One byte before the set: its lowest bit asks for the hints."""
    seeds = {}
    for name, content in SETS.items():
        seeds[name + "_hints"] = b"\x01" + content
        seeds[name] = b"\x00" + content
    return seeds


def result(first, surname, klass, date, time, path, points, count, grade=None):
    """One record of the results log as the grade window appends it."""
    lines = ["\r", "Imie  " + first, "Nazwisko " + surname, "Klasa " + klass, "Data : " + date,
             "Godzina : " + time, "Plik z testami : " + path, " Liczba punktów " + points + "  na " + count]
    if grade is not None:
        lines.append("Ocena : " + grade)
    lines.append(" " + "*" * 45)
    return b"".join(cp(line) + b"\r\n" for line in lines)


def results_seeds():
    """Logs of the results table: whole records, records cut or damaged, editors' line ends, junk."""
    jan = result("Jan", "Kowalski", "3A", "05-21-2003", "14:07:59", "C:\\WIEDO\\historia.kwz", "28", "40", "4")
    ala = result("Żaneta", "Źdźbło-Gżegżółka", "ZERÓWKA", "12-31-2024", "23:59:59", "c:\\t.kwz", "41", "40")
    empty = result("Albert", "Bezimienny", "ZERÓWKA", "01-01-2000", "00:00:00", "/home/x/a.kwz", "0", "", "1")
    formula = result("=1+1", "+48;\"x\"", "@A", "02-29-2024", "12:00:00", "-x", "3", "3", "6")
    return {
        "one_record": jan,
        "three_records": jan + ala + empty,
        "formula_names": formula,
        "cut_record": jan + ala[:70],
        "damaged_middle": jan + ala.replace(b"Klasa", b"Klasy") + empty,
        "lf_only": (jan + ala).replace(b"\r\n", b"\n"),
        "no_lone_cr": jan[3:-2],
        "bad_date_time": jan.replace(b"05-21", b"02-30") + ala.replace(b"23:59", b"24:00"),
        "grade_seven": jan.replace(b"Ocena : 4", b"Ocena : 7"),
        "junk_between": jan + b"notatka\r\n" + ala,
        "binary_blob": blob(2048, 11),
        "big_log": (jan + ala + empty) * 200,
    }


# GIFT and Aiken files as teachers and the platforms write them, and the hostile ones.
GIFT_SET = """// Geografia
$CATEGORY: $course$/Geografia

::G1:: Stolica Polski to: {
  =Warszawa
  ~Kraków # Dawna stolica
  ~Gdańsk
  #### Nad Wisłą
}

::G2::[html]Które są liczbami pierwszymi? {~%50%2 ~%50%3 ~%-100%4 ~%-100%9}

Stolica {=Warszawa ~Kraków} leży nad Wisłą.

Wiele\\: \\{x\\} \\#1 {=a\\~b ~c\\\\ ~d\\ne ####x\\ny}

2+2=4 {T}

Dopasuj {=kot -> miau =pies -> hau}

Ile? {#3:1}

Opisz {}

Stolica? {=Warszawa =Warsaw}
""".encode()
AIKEN_SET = """Stolica Polski to:
A. Kraków
B. Warszawa
C. Gdańsk
ANSWER: B

Które są liczbami pierwszymi?
A) 2
B) 3
C) 4
ANSWER: A, B
A. Mickiewicz napisał:
A. Lalkę
B. Dziady
ANSWER: B
""".encode()


def gift_seeds():
    seeds = dict(COMMON)
    seeds.update({
        "platform_set": GIFT_SET,
        "crlf_bom": b"\xef\xbb\xbf" + GIFT_SET.replace(b"\n", b"\r\n"),
        "lone_cr": GIFT_SET.replace(b"\n", b"\r"),
        "unterminated_brace": b"Q {=a ~b\n\nR {=c ~d}\n",
        "escape_at_line_end": b"Q \\\n{=a ~b\\\n}\n\nR {=c\\",
        "unclosed_title": b"::T Q {=a ~b}\n",
        "two_blocks": b"Q {=a} {~b}\n",
        "six_answers": b"Q {=1 ~2 ~3 ~4 ~5 ~6}\n",
        "quotes_and_emoji": 'Kto napisał "Lalkę"? {=Prus ~Sienkiewicz}\n\nQ 😀 {=a ~b}\n'.encode(),
        "windows_1250": "Stolica {=Kraków ~Gdańsk}\n".encode("cp1250"),
        "big_question": b"x" * 100000 + b" {=a ~b}\n",
        "many_answers": b"Q {" + b"~a " * 5000 + b"}\n",
        "weights_odd": b"Q {~%abc%a ~%50b ~%-0%c =%0%d ~%100%%e}\n",
    })
    return seeds


def aiken_seeds():
    seeds = dict(COMMON)
    seeds.update({
        "platform_set": AIKEN_SET,
        "crlf_bom": b"\xef\xbb\xbf" + AIKEN_SET.replace(b"\n", b"\r\n"),
        "lone_cr": AIKEN_SET.replace(b"\n", b"\r"),
        "no_key_line": b"Z\nA. x\nB. y\nQ\nA. a\nB. b\nANSWER: B\n",
        "key_missing_letter": b"Z\nA. x\nB. y\nANSWER: D\n",
        "repeated_letter": b"Z\nA. x\nA. y\nANSWER: A\n",
        "empty_answer": b"Z\nA. x\nB.\nC. y\nANSWER: B\n",
        "six_answers": b"Z\nA. 1\nB. 2\nC. 3\nD. 4\nE. 5\nF. 6\nANSWER: F\n",
        "key_without_question": b"ANSWER: A\n",
        "many_answer_lines": b"Z\n" + b"A. x\n" * 20000 + b"ANSWER: A\n",
        "windows_1250": "Stolica\nA. Kraków\nB. Gdańsk\nANSWER: A\n".encode("cp1250"),
        "gift_inside": b"Q {=a ~b}\nA. a\nB. b\nANSWER: A\n",
    })
    return seeds


QUIZ_XML = """<?xml version="1.0" encoding="UTF-8"?>
<quiz>
<!-- question: 0  -->
  <question type="category">
    <category><text>$course$/top/Geografia</text></category>
    <info format="moodle_auto_format"><text></text></info>
  </question>
<!-- question: 101  -->
  <question type="multichoice">
    <name><text>Stolica</text></name>
    <questiontext format="html">
      <text><![CDATA[<p dir="ltr">Stolica Polski to&nbsp;&bdquo;miasto&rdquo;<br>nad Wisłą</p>
<p><img src="@@PLUGINFILE@@/mapa.png" alt="Mapa Polski" width="300" height="200"></p>]]></text>
      <file name="mapa.png" path="/" encoding="base64">iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNk+M9QDwADhgGAWjR9awAAAABJRU5ErkJggg==</file>
    </questiontext>
    <generalfeedback format="html"><text>&lt;p&gt;Warszawa leży nad Wisłą.&lt;/p&gt;</text></generalfeedback>
    <defaultgrade>1.0000000</defaultgrade>
    <penalty>0.3333333</penalty>
    <hidden>0</hidden>
    <single>true</single>
    <shuffleanswers>true</shuffleanswers>
    <answernumbering>abc</answernumbering>
    <correctfeedback format="html"><text>Dobrze!</text></correctfeedback>
    <answer fraction="100" format="html">
      <text>&lt;p&gt;Warszawa&lt;/p&gt;</text>
      <feedback format="html"><text></text></feedback>
    </answer>
    <answer fraction="0" format="html">
      <text>&lt;p&gt;Kraków&lt;/p&gt;</text>
      <feedback format="html"><text>Dawna stolica</text></feedback>
    </answer>
  </question>
  <question type="truefalse">
    <name><text>Płaska Ziemia</text></name>
    <questiontext format="moodle_auto_format"><text>Ziemia jest płaska.</text></questiontext>
    <generalfeedback format="moodle_auto_format"><text></text></generalfeedback>
    <answer fraction="0" format="moodle_auto_format"><text>true</text><feedback><text></text></feedback></answer>
    <answer fraction="100" format="moodle_auto_format"><text>false</text><feedback><text></text></feedback></answer>
  </question>
  <question type="multichoice">
    <name><text>Liczby pierwsze</text></name>
    <questiontext format="markdown"><text>Które są **liczbami pierwszymi**?</text></questiontext>
    <single>false</single>
    <answer fraction="50"><text>2</text></answer>
    <answer fraction="50"><text>3</text></answer>
    <answer fraction="-100"><text>4</text></answer>
  </question>
  <question type="shortanswer">
    <name><text>Stolica krótko</text></name>
    <questiontext format="plain_text"><text>Stolica Polski?</text></questiontext>
    <answer fraction="100"><text>Warszawa</text></answer>
  </question>
  <question type="cloze">
    <name><text>Luki</text></name>
    <questiontext format="html"><text><![CDATA[Stolica to {1:MULTICHOICE:=Warszawa~Kraków}]]></text></questiontext>
  </question>
</quiz>
"""


def quizxml_seeds():
    six = "".join(f'<answer fraction="{100 if i == 1 else 0}"><text>{i}</text></answer>' for i in range(1, 7))
    return {
        "platform_export": QUIZ_XML.encode(),
        "crlf_bom": b"\xef\xbb\xbf" + QUIZ_XML.replace("\n", "\r\n").encode(),
        "utf16_bom": b"\xff\xfe" + QUIZ_XML.replace("UTF-8", "UTF-16").encode("utf-16-le"),
        "windows_1250": QUIZ_XML.replace("UTF-8", "windows-1250").encode("cp1250"),
        "doctype_and_comments": b"<!-- eksport -->\n<!DOCTYPE quiz [<!ENTITY w 'Warszawa'>]>\n<quiz><question "
                                b"type='multichoice'><questiontext><text>&w;?</text></questiontext><answer "
                                b"fraction='100'><text>&w;</text></answer><answer><text>nie</text></answer>"
                                b"</question></quiz>",
        "six_answers": ('<quiz><question type="multichoice"><questiontext><text>Q</text></questiontext>'
                        + six + "</question></quiz>").encode(),
        "cut_short": QUIZ_XML.encode()[:1500],
        "tag_mismatch": QUIZ_XML.replace("</name>", "</nazwa>", 1).encode(),
        "entity_outside_cdata": b"<quiz><question type='multichoice'><questiontext><text>a&nbsp;b</text>"
                                b"</questiontext></question></quiz>",
        "other_root": b'<?xml version="1.0"?>\n<html><body><p>{=a ~b}</p></body></html>',
        "empty_texts": b"<quiz><question type='multichoice'><questiontext format='html'><text>&lt;p&gt;&lt;/p&gt;"
                       b"</text></questiontext></question><question type='truefalse'><questiontext><text>Q</text>"
                       b"</questiontext><answer fraction='100'><text>tak</text></answer></question></quiz>",
        "media_files": b"<quiz><question type='multichoice'><questiontext format='html'><text>&lt;audio src="
                       b"'a.mp3'&gt;&lt;video src='f.mp4'&gt;</text><file name='a.mp3'>AA==</file><file "
                       b"name='f.webm'>AA==</file></questiontext><answer fraction='100'><text>a</text></answer>"
                       b"<answer><text>b</text></answer></question></quiz>",
    }


def main():
    targets = {
        "results": results_seeds(),
        "records": records_seeds(),
        "questionset": questionset_seeds(),
        "scale": scale_seeds(),
        "config": config_seeds(),
        "editor": editor_seeds(),
        "export": export_seeds(),
        "gift": gift_seeds(),
        "aiken": aiken_seeds(),
        "quizxml": quizxml_seeds(),
    }
    total = 0
    for target, seeds in targets.items():
        folder = CORPUS / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, content in sorted(seeds.items()):
            (folder / name).write_bytes(content)
            total += len(content)
        print(f"{target}: {len(seeds)} seeds")
    print(f"total {total} bytes")


if __name__ == "__main__":
    main()
