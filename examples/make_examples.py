#!/usr/bin/env python3
"""Writes the example question sets shipped with WIEDO (*.kwz).

File layout (Windows-1250 text, every line ended with CR LF):
    "Kwiz v 1.0"
    "question","A","B","C","D","E","hint"
    1,2,2,2,2
    ... one text line and one flags line per question ...
Flags: 1 = correct answer, 2 = wrong answer.  Unused answers are empty
texts with flag 2.  Texts cannot contain the double quote character.

Run:  python3 examples/make_examples.py   (the output is always the same)
After writing, every file is read back and checked.
"""

import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
HEADER = '"Kwiz v 1.0"'
ENCODING = "cp1250"
EOL = "\r\n"

# Each question: (text, [(answer, correct), ...] up to five, hint)
T, F = True, False

HISTORIA = [
    ("W którym roku odbył się chrzest Polski?",
     [("966", T), ("1000", F), ("1025", F), ("1410", F)],
     "Stało się to w drugiej połowie X wieku."),
    ("W którym roku odbył się zjazd gnieźnieński?",
     [("1000", T), ("966", F), ("1138", F), ("1226", F)],
     "Zjazd odbył się w okrągłym roku, na przełomie X i XI wieku."),
    ("W którym roku rozegrała się bitwa pod Grunwaldem?",
     [("1385", F), ("1410", T), ("1466", F), ("1569", F), ("1683", F)],
     "Wielka bitwa z zakonem krzyżackim miała miejsce na początku XV wieku."),
    ("Z kim Polska zawarła pokój w Toruniu w 1466 roku, odzyskując Pomorze Gdańskie?",
     [("Ze Szwecją", F), ("Z zakonem krzyżackim", T), ("Z Turcją", F),
      ("Z Moskwą", F)],
     "Pokój zakończył wojnę trzynastoletnią z państwem rycerzy zakonnych."),
    ("W którym mieście w 1364 roku założono pierwszy polski uniwersytet?",
     [("W Gnieźnie", F), ("W Poznaniu", F), ("W Krakowie", T),
      ("W Warszawie", F)],
     "Miasto było wtedy stolicą Polski, a królowie mieszkali na Wawelu."),
    ("Jak nazywało się państwo polsko-litewskie utworzone na mocy unii lubelskiej w 1569 roku?",
     [("Księstwo Warszawskie", F), ("Królestwo Kongresowe", F),
      ("Rzeczpospolita Obojga Narodów", T), ("Wolne Miasto Kraków", F),
      ("", F)],
     "Nazwa mówi o dwóch narodach - polskim i litewskim."),
    ("W którym roku wojska polskie przyszły z odsieczą oblężonemu przez Turków Wiedniowi?",
     [("1410", F), ("1611", F), ("1683", T), ("1772", F)],
     "Było to w drugiej połowie XVII wieku, ponad sto lat przed rozbiorami."),
    ("Które państwa wzięły udział w pierwszym rozbiorze Polski w 1772 roku?",
     [("Rosja", T), ("Prusy", T), ("Austria", T), ("Szwecja", F),
      ("Francja", F)],
     "W rozbiorach uczestniczyli trzej sąsiedzi Rzeczypospolitej."),
    ("W którym roku uchwalono Konstytucję 3 Maja?",
     [("1772", F), ("1791", T), ("1795", F), ("1807", F), ("1918", F)],
     "Uchwalono ją dwa lata po wybuchu rewolucji francuskiej (1789)."),
    ("Które z wymienionych powstań wybuchły w XIX wieku?",
     [("Powstanie listopadowe", T), ("Powstanie styczniowe", T),
      ("Insurekcja 1794 roku", F), ("Powstanie warszawskie", F),
      ("Powstanie wielkopolskie", F)],
     "XIX wiek to lata 1801-1900. Nazwy dwóch powstań pochodzą od miesięcy."),
    ("W którym roku Polska odzyskała niepodległość?",
     [("1914", F), ("1918", T), ("1920", F), ("1939", F), ("1945", F)],
     "Stało się to tuż po zakończeniu I wojny światowej, 11 listopada."),
    ("Które z wymienionych wydarzeń miały miejsce w XX wieku?",
     [("Bitwa Warszawska", T), ("Bitwa pod Grunwaldem", F),
      ("Powstanie warszawskie", T), ("Uchwalenie Konstytucji 3 Maja", F),
      ("Odzyskanie niepodległości przez Polskę", T)],
     "XX wiek to lata 1901-2000. Trzy odpowiedzi są poprawne."),
    ("Którego dnia wybuchła II wojna światowa?",
     [("1 września 1939 roku", T), ("17 września 1939 roku", F),
      ("1 sierpnia 1944 roku", F), ("8 maja 1945 roku", F)],
     "Tego dnia Niemcy zaatakowały Polskę, między innymi Westerplatte."),
    ("W którym roku wybuchło powstanie warszawskie?",
     [("1939", F), ("1943", F), ("1944", T), ("1945", F)],
     "Powstanie wybuchło 1 sierpnia, na niecały rok przed końcem wojny w Europie."),
]

PRZYRODA = [
    ("Jaki gaz rośliny pobierają z powietrza podczas fotosyntezy?",
     [("Tlen", F), ("Dwutlenek węgla", T), ("Azot", F), ("Wodór", F)],
     "Ten sam gaz wydychamy podczas oddychania."),
    ("W której części komórki roślinnej zachodzi fotosynteza?",
     [("W mitochondriach", F), ("W jądrze komórkowym", F),
      ("W chloroplastach", T), ("W wakuoli", F)],
     "Te części komórki zawierają zielony barwnik - chlorofil."),
    ("W jakiej temperaturze wrze czysta woda pod normalnym ciśnieniem atmosferycznym?",
     [("0 °C", F), ("50 °C", F), ("100 °C", T), ("212 °C", F)],
     "W tej temperaturze woda w czajniku zaczyna kipieć."),
    ("Jak nazywa się przejście substancji ze stanu stałego w stan ciekły?",
     [("Krzepnięcie", F), ("Topnienie", T), ("Parowanie", F),
      ("Skraplanie", F), ("Resublimacja", F)],
     "Tak dzieje się wiosną z lodem i śniegiem."),
    ("Które z wymienionych zwierząt są ssakami?",
     [("Wieloryb", T), ("Pingwin", F), ("Nietoperz", T), ("Rekin", F),
      ("Delfin", T)],
     "Ssaki karmią swoje młode mlekiem, nawet jeśli żyją w wodzie lub latają."),
    ("Które z wymienionych zwierząt są płazami?",
     [("Żaba", T), ("Jaszczurka", F), ("Traszka", T), ("Żółw", F),
      ("Salamandra", T)],
     "Płazy mają wilgotną, nagą skórę, a ich larwy rozwijają się w wodzie."),
    ("Ile par odnóży krocznych ma owad?",
     [("Dwie", F), ("Trzy", T), ("Cztery", F), ("Pięć", F)],
     "Owad ma sześć nóg. Pająk nie jest owadem - ma ich osiem."),
    ("Który narząd pompuje krew w organizmie człowieka?",
     [("Płuca", F), ("Wątroba", F), ("Serce", T), ("Nerki", F),
      ("Żołądek", F)],
     "Ten narząd bije przez całe życie; jego uderzenia wyczujesz na nadgarstku jako tętno."),
    ("Z ilu kości składa się szkielet dorosłego człowieka?",
     [("Około 106", F), ("Około 206", T), ("Około 306", F), ("Około 506", F)],
     "Noworodek ma ich więcej, bo część kości zrasta się z wiekiem. Dorosły ma nieco ponad dwieście."),
    ("Która planeta Układu Słonecznego znajduje się najbliżej Słońca?",
     [("Wenus", F), ("Ziemia", F), ("Merkury", T), ("Mars", F)],
     "To najmniejsza planeta Układu Słonecznego."),
    ("Które z wymienionych planet należą do planet skalistych (typu ziemskiego)?",
     [("Merkury", T), ("Wenus", T), ("Jowisz", F), ("Mars", T),
      ("Saturn", F)],
     "Planety skaliste krążą bliżej Słońca niż pas planetoid."),
    ("Które z wymienionych substancji dobrze przewodzą prąd elektryczny?",
     [("Miedź", T), ("Guma", F), ("Aluminium", T), ("Szkło", F),
      ("Suche drewno", F)],
     "Przewody elektryczne wykonuje się z metali, a izolację z innych materiałów."),
    ("Które z wymienionych zjawisk są przemianami chemicznymi?",
     [("Spalanie drewna", T), ("Topnienie lodu", F), ("Rdzewienie żelaza", T),
      ("Rozpuszczanie cukru w wodzie", F), ("Kwaśnienie mleka", T)],
     "W przemianie chemicznej powstaje nowa substancja o innych właściwościach."),
]

GEOGRAFIA = [
    ("Jakie miasto jest stolicą Polski?",
     [("Kraków", F), ("Warszawa", T), ("Gdańsk", F), ("Poznań", F),
      ("Wrocław", F)],
     "Miasto leży nad Wisłą, na Nizinie Mazowieckiej."),
    ("Który szczyt jest najwyższym szczytem Polski?",
     [("Śnieżka", F), ("Giewont", F), ("Rysy", T), ("Babia Góra", F),
      ("Kasprowy Wierch", F)],
     "Szczyt leży w Tatrach, na granicy ze Słowacją, i ma blisko 2500 m n.p.m."),
    ("Która rzeka jest najdłuższą rzeką Polski?",
     [("Odra", F), ("Warta", F), ("Wisła", T), ("Bug", F)],
     "Ta rzeka płynie przez Kraków i Warszawę, a uchodzi do Morza Bałtyckiego."),
    ("Które z wymienionych miast leżą nad Wisłą?",
     [("Kraków", T), ("Wrocław", F), ("Warszawa", T), ("Poznań", F),
      ("Toruń", T)],
     "Wrocław leży nad Odrą, a Poznań nad Wartą."),
    ("Z którymi z wymienionych państw graniczy Polska?",
     [("Niemcy", T), ("Czechy", T), ("Węgry", F), ("Litwa", T),
      ("Austria", F)],
     "Polska ma siedmiu sąsiadów. Węgry i Austria leżą dalej na południe."),
    ("Nad którym morzem leży Polska?",
     [("Nad Morzem Północnym", F), ("Nad Morzem Bałtyckim", T),
      ("Nad Morzem Czarnym", F), ("Nad Morzem Śródziemnym", F)],
     "To płytkie morze śródlądowe o niskim zasoleniu."),
    ("Ile województw jest w Polsce od 1999 roku?",
     [("12", F), ("16", T), ("18", F), ("49", F)],
     "W 1999 roku liczbę województw zmniejszono z 49 do kilkunastu."),
    ("Które jezioro jest największe w Polsce pod względem powierzchni?",
     [("Mamry", F), ("Hańcza", F), ("Śniardwy", T), ("Gopło", F)],
     "Jezioro leży na Mazurach. Hańcza jest najgłębsza, ale nie największa."),
    ("Które z wymienionych pasm górskich leżą (przynajmniej częściowo) w Polsce?",
     [("Tatry", T), ("Alpy", F), ("Sudety", T), ("Pireneje", F),
      ("Bieszczady", T)],
     "Góry w Polsce leżą głównie wzdłuż jej południowej granicy."),
    ("Który kontynent jest największy pod względem powierzchni?",
     [("Afryka", F), ("Azja", T), ("Ameryka Północna", F), ("Europa", F),
      ("Antarktyda", F)],
     "Na tym kontynencie leżą Chiny, Indie i najwyższy szczyt świata."),
    ("Który ocean jest największy?",
     [("Atlantycki", F), ("Indyjski", F), ("Spokojny", T), ("Arktyczny", F)],
     "Bywa nazywany Pacyfikiem."),
    ("Które z wymienionych państw leżą w Ameryce Południowej?",
     [("Brazylia", T), ("Meksyk", F), ("Argentyna", T), ("Kanada", F),
      ("Peru", T)],
     "Meksyk i Kanada leżą w Ameryce Północnej."),
    ("Jak nazywa się linia dzieląca Ziemię na półkulę północną i południową?",
     [("Południk zerowy", F), ("Równik", T), ("Zwrotnik Raka", F),
      ("Koło podbiegunowe", F)],
     "Ta linia ma długość około 40 tysięcy kilometrów."),
    ("W którym województwie leży Kraków?",
     [("W śląskim", F), ("W małopolskim", T), ("W podkarpackim", F),
      ("W świętokrzyskim", F)],
     "Nazwa województwa nawiązuje do dawnej krainy historycznej - Małopolski."),
]

SETS = {
    "historia.kwz": HISTORIA,
    "przyroda.kwz": PRZYRODA,
    "geografia.kwz": GEOGRAFIA,
}


def check_text(s):
    if '"' in s or "\r" in s or "\n" in s:
        raise ValueError(f"text not allowed in a question file: {s!r}")
    s.encode(ENCODING)  # raises if a character has no Windows-1250 code
    return s


def render(questions):
    lines = [HEADER]
    for text, answers, hint in questions:
        if not 1 <= len(answers) <= 5:
            raise ValueError(f"bad answer count in: {text}")
        answers = list(answers) + [("", False)] * (5 - len(answers))
        if not any(ok for _, ok in answers):
            raise ValueError(f"no correct answer in: {text}")
        for a, ok in answers:
            if ok and not a:
                raise ValueError(f"empty answer marked correct in: {text}")
        fields = [text] + [a for a, _ in answers] + [hint]
        lines.append(",".join('"' + check_text(f) + '"' for f in fields))
        lines.append(",".join("1" if ok else "2" for _, ok in answers))
    return "".join(line + EOL for line in lines).encode(ENCODING)


TEXT_LINE = re.compile(r'^"([^"]*)"' + r',"([^"]*)"' * 6 + r'$')
FLAG_LINE = re.compile(r'^[12](,[12]){4}$')


def verify(path, expected_count):
    data = open(path, "rb").read()
    if not data.endswith(b"\r\n"):
        raise ValueError(f"{path}: last line not ended with CR LF")
    if data.replace(b"\r\n", b"").count(b"\r") or \
            data.replace(b"\r\n", b"").count(b"\n"):
        raise ValueError(f"{path}: stray CR or LF")
    lines = data.decode(ENCODING).split("\r\n")
    assert lines[-1] == ""
    lines = lines[:-1]
    if lines[0] != HEADER:
        raise ValueError(f"{path}: bad header {lines[0]!r}")
    body = lines[1:]
    if len(body) % 2:
        raise ValueError(f"{path}: odd number of records")
    count = len(body) // 2
    if count != expected_count:
        raise ValueError(f"{path}: {count} questions, expected {expected_count}")
    for i in range(count):
        m = TEXT_LINE.match(body[2 * i])
        if not m:
            raise ValueError(f"{path}: question {i + 1}: bad text line")
        texts = m.groups()
        if len(texts) != 7 or not texts[0] or not texts[6]:
            raise ValueError(f"{path}: question {i + 1}: empty question or hint")
        flags_line = body[2 * i + 1]
        if not FLAG_LINE.match(flags_line):
            raise ValueError(f"{path}: question {i + 1}: bad flags {flags_line!r}")
        flags = [int(x) for x in flags_line.split(",")]
        if len(flags) != 5 or 1 not in flags:
            raise ValueError(f"{path}: question {i + 1}: no correct answer")
        for answer, flag in zip(texts[1:6], flags):
            if not answer and flag != 2:
                raise ValueError(f"{path}: question {i + 1}: empty answer flagged correct")
    return count


def main():
    for name, questions in SETS.items():
        path = os.path.join(HERE, name)
        with open(path, "wb") as f:
            f.write(render(questions))
        n = verify(path, len(questions))
        multi = sum(1 for _, a, _ in questions if sum(ok for _, ok in a) > 1)
        short = sum(1 for _, a, _ in questions if len(a) < 5 or
                    any(not t for t, _ in a))
        print(f"{name}: {n} questions ({multi} with several correct answers, "
              f"{short} with fewer than five answers) - OK")
    return 0


if __name__ == "__main__":
    sys.exit(main())
