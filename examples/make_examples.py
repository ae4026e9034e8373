#!/usr/bin/env python3
"""Writes the example question sets shipped with WIEDO (*.kwz).

File layout (Windows-1250 text, every line ended with CR LF):
    "Kwiz v 1.0"
    "question","A","B","C","D","E","hint"
    1,2,2,2,2
    ... one text line and one flags line per question ...
Flags: 1 = correct answer, 2 = wrong answer.  Unused answers are empty
texts with flag 2.  Texts cannot contain the double quote character.

Every set holds exactly 40 questions.  A question has two to five answers
(the rest are padded with empty ones), at least one correct and at least
one wrong; at least 8 questions of a set have several correct answers.
Lengths: question at most 200 characters, answer 120, hint 150.

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

QUESTIONS_PER_SET = 40
MIN_SEVERAL_CORRECT = 8   # questions with two or more correct answers
MAX_QUESTION = 200        # characters
MAX_ANSWER = 120
MAX_HINT = 150

# Each question: (text, [(answer, correct), ...] two to five, hint)
T, F = True, False

HISTORIA = [
    ("W którym starożytnym państwie zbudowano piramidy w Gizie?",
     [("W Grecji", F), ("W Rzymie", F), ("W Egipcie", T), ("W Persji", F)],
     "Piramidy stoją w pobliżu wielkiej rzeki w północno-wschodniej Afryce."),
    ("W którym starożytnym mieście narodziła się demokracja?",
     [("W Atenach", T), ("W Sparcie", F), ("W Kartaginie", F),
      ("W Babilonie", F)],
     "To greckie miasto słynęło z filozofów i zgromadzeń, na których "
     "obywatele głosowali nad prawami."),
    ("Które z wymienionych budowli powstały w starożytności?",
     [("Zamek w Malborku", F), ("Piramidy w Gizie", T),
      ("Koloseum w Rzymie", T), ("Wieża Eiffla w Paryżu", F),
      ("Partenon w Atenach", T)],
     "Starożytność zakończyła się w V wieku naszej ery, "
     "wraz z upadkiem cesarstwa zachodniorzymskiego."),
    ("Nad którymi z wymienionych rzek rozwinęły się cywilizacje starożytnego "
     "Egiptu i Mezopotamii?",
     [("Nil", T), ("Ren", F), ("Tygrys", T), ("Wisła", F), ("Eufrat", T)],
     "Nazwa Mezopotamia pochodzi z greki i oznacza „kraina między rzekami”."),
    ("Który władca jest uznawany za pierwszego historycznego władcę Polski?",
     [("Bolesław Chrobry", F), ("Kazimierz Wielki", F), ("Mieszko I", T),
      ("Władysław Jagiełło", F)],
     "Ten książę z dynastii Piastów poślubił czeską księżniczkę Dobrawę."),
    ("W którym roku odbył się chrzest Polski?",
     [("1000", F), ("966", T), ("1025", F), ("1410", F)],
     "Stało się to ponad trzydzieści lat przed zjazdem gnieźnieńskim."),
    ("W którym roku odbył się zjazd gnieźnieński?",
     [("966", F), ("1138", F), ("1000", T), ("1226", F)],
     "Zjazd odbył się w okrągłym roku, na przełomie X i XI wieku."),
    ("Kogo w XIII wieku książę Konrad Mazowiecki sprowadził do walki "
     "z pogańskimi Prusami?",
     [("Tatarów", F), ("Husytów", F), ("Wikingów", F), ("Krzyżaków", T)],
     "Rycerze tego zakonu nosili białe płaszcze z czarnym krzyżem."),
    ("O którym królu mówi się, że zastał Polskę drewnianą, "
     "a zostawił murowaną?",
     [("Bolesław Chrobry", F), ("Kazimierz Wielki", T),
      ("Zygmunt III Waza", F), ("Stanisław August Poniatowski", F)],
     "Był ostatnim królem z dynastii Piastów."),
    ("W którym mieście w 1364 roku założono pierwszy polski uniwersytet?",
     [("W Gnieźnie", F), ("W Poznaniu", F), ("W Krakowie", T),
      ("W Warszawie", F)],
     "W tym mieście była wtedy stolica Polski."),
    ("Która dynastia zasiadała na tronie polskim w latach 1386–1572?",
     [("Piastowie", F), ("Wazowie", F), ("Wettynowie (Sasi)", F),
      ("Jagiellonowie", T)],
     "Jej założyciel był wielkim księciem litewskim i mężem królowej Jadwigi."),
    ("W którym roku rozegrała się bitwa pod Grunwaldem?",
     [("1385", F), ("1410", T), ("1466", F), ("1569", F), ("1683", F)],
     "Wielka bitwa z zakonem krzyżackim miała miejsce na początku XV wieku."),
    ("Z kim Polska zawarła pokój w Toruniu w 1466 roku, odzyskując "
     "Pomorze Gdańskie?",
     [("Ze Szwecją", F), ("Z zakonem krzyżackim", T), ("Z Turcją", F),
      ("Z Moskwą", F)],
     "Pokój zakończył wojnę trzynastoletnią z państwem rycerzy zakonnych."),
    ("W którym roku Krzysztof Kolumb dotarł do Ameryki?",
     [("1410", F), ("1453", F), ("1517", F), ("1648", F), ("1492", T)],
     "Stało się to pod koniec XV wieku."),
    ("Kto jest autorem dzieła „O obrotach sfer niebieskich”, w którym "
     "opisano, że Ziemia krąży wokół Słońca?",
     [("Mikołaj Kopernik", T), ("Galileusz", F), ("Jan Kochanowski", F),
      ("Izaak Newton", F)],
     "Ten astronom urodził się w Toruniu, a pracował m.in. we Fromborku."),
    ("Jak nazywało się państwo polsko-litewskie utworzone na mocy unii "
     "lubelskiej w 1569 roku?",
     [("Księstwo Warszawskie", F), ("Królestwo Kongresowe", F),
      ("Rzeczpospolita Obojga Narodów", T), ("Wolne Miasto Kraków", F)],
     "To państwo przetrwało aż do rozbiorów pod koniec XVIII wieku."),
    ("Co oznaczała zasada liberum veto w sejmie dawnej Rzeczypospolitej?",
     [("Obowiązek stawienia się szlachty na wojnę", F),
      ("Prawo każdego posła do zerwania sejmu swoim sprzeciwem", T),
      ("Wybór króla przez całą szlachtę", F),
      ("Zakaz nakładania podatków na chłopów", F)],
     "Łacińska nazwa znaczy mniej więcej „wolne nie pozwalam”."),
    ("Jak nazywamy najazd Szwecji na Rzeczpospolitą w latach 1655–1660?",
     [("Potop szwedzki", T), ("Wojna trzynastoletnia", F),
      ("Wielka wojna północna", F), ("Insurekcja kościuszkowska", F)],
     "Nazwę tej wojny spopularyzowała powieść historyczna "
     "Henryka Sienkiewicza."),
    ("W którym roku wojska polskie przyszły z odsieczą oblężonemu przez "
     "Turków Wiedniowi?",
     [("1410", F), ("1611", F), ("1683", T), ("1772", F)],
     "Było to w drugiej połowie XVII wieku, ponad sto lat przed rozbiorami."),
    ("Kto był ostatnim królem Rzeczypospolitej Obojga Narodów?",
     [("Stanisław August Poniatowski", T), ("Jan III Sobieski", F),
      ("August II Mocny", F), ("Stanisław Leszczyński", F)],
     "Za jego panowania uchwalono Konstytucję 3 Maja."),
    ("Które państwa wzięły udział w pierwszym rozbiorze Polski w 1772 roku?",
     [("Rosja", T), ("Szwecja", F), ("Prusy", T), ("Francja", F),
      ("Austria", T)],
     "W rozbiorach uczestniczyli trzej sąsiedzi Rzeczypospolitej."),
    ("W którym roku wybuchła rewolucja francuska?",
     [("1776", F), ("1789", T), ("1815", F), ("1848", F)],
     "Zaczęła się od zdobycia Bastylii w Paryżu, kilkanaście lat "
     "po ogłoszeniu niepodległości Stanów Zjednoczonych."),
    ("W którym roku uchwalono Konstytucję 3 Maja?",
     [("1772", F), ("1795", F), ("1791", T), ("1807", F), ("1918", F)],
     "Uchwalono ją podczas obrad Sejmu Czteroletniego, kilka lat "
     "przed ostatnim rozbiorem."),
    ("W której bitwie insurekcji kościuszkowskiej w 1794 roku kosynierzy "
     "zdobyli rosyjskie armaty?",
     [("Pod Maciejowicami", F), ("Pod Grunwaldem", F),
      ("Pod Kircholmem", F), ("Pod Racławicami", T)],
     "Tę bitwę przedstawia wielki obraz panoramiczny, który można oglądać "
     "we Wrocławiu."),
    ("W którym roku dokonano trzeciego rozbioru Polski, po którym "
     "Rzeczpospolita zniknęła z mapy?",
     [("1772", F), ("1793", F), ("1795", T), ("1807", F), ("1815", F)],
     "Stało się to rok po upadku insurekcji kościuszkowskiej."),
    ("Jak nazywało się państwo utworzone z ziem polskich przez Napoleona "
     "w 1807 roku?",
     [("Królestwo Polskie", F), ("Wolne Miasto Kraków", F),
      ("Wielkie Księstwo Poznańskie", F), ("Księstwo Warszawskie", T)],
     "Państwo powstało na mocy pokoju w Tylży i przetrwało do czasu "
     "kongresu wiedeńskiego."),
    ("Które z wymienionych powstań wybuchły w XIX wieku?",
     [("Insurekcja kościuszkowska", F), ("Powstanie listopadowe", T),
      ("Powstania śląskie", F), ("Powstanie styczniowe", T),
      ("Powstanie warszawskie", F)],
     "XIX wiek to lata 1801–1900, czyli czasy po ostatnim rozbiorze, "
     "a przed odzyskaniem niepodległości."),
    ("W którym roku Polska odzyskała niepodległość?",
     [("1914", F), ("1920", F), ("1939", F), ("1945", F), ("1918", T)],
     "Stało się to tuż po zakończeniu I wojny światowej, 11 listopada."),
    ("W którym roku rozegrała się Bitwa Warszawska, nazywana Cudem "
     "nad Wisłą?",
     [("1914", F), ("1917", F), ("1920", T), ("1923", F)],
     "Bitwę stoczono w sierpniu, w czasie wojny polsko-bolszewickiej."),
    ("Które z wymienionych wydarzeń miały miejsce w XX wieku?",
     [("Bitwa Warszawska (Cud nad Wisłą)", T), ("Bitwa pod Grunwaldem", F),
      ("Powstanie warszawskie", T), ("Uchwalenie Konstytucji 3 Maja", F),
      ("Odzyskanie niepodległości przez Polskę", T)],
     "XX wiek to lata 1901–2000. Trzy odpowiedzi są poprawne."),
    ("Którego dnia wybuchła II wojna światowa?",
     [("17 września 1939 roku", F), ("1 września 1939 roku", T),
      ("1 sierpnia 1944 roku", F), ("8 maja 1945 roku", F)],
     "Tego dnia Niemcy zaatakowały Polskę, między innymi Westerplatte."),
    ("Które z wymienionych państw zaatakowały Polskę we wrześniu 1939 roku?",
     [("Francja", F), ("Niemcy", T), ("Wielka Brytania", F),
      ("Związek Radziecki", T), ("Węgry", F)],
     "Jeden najazd zaczął się 1 września, a drugi – 17 września, od wschodu."),
    ("Które z wymienionych wydarzeń miały miejsce podczas II wojny "
     "światowej?",
     [("Obrona Westerplatte", T), ("Powstanie styczniowe", F),
      ("Bitwa o Monte Cassino", T), ("Bitwa Warszawska (Cud nad Wisłą)", F),
      ("Powstanie w getcie warszawskim", T)],
     "II wojna światowa trwała w latach 1939–1945."),
    ("W którym roku wybuchło powstanie warszawskie?",
     [("1939", F), ("1943", F), ("1944", T), ("1945", F)],
     "Powstanie wybuchło 1 sierpnia, na niecały rok przed końcem wojny "
     "w Europie."),
    ("W którym roku powstał Niezależny Samorządny Związek Zawodowy "
     "„Solidarność”?",
     [("1970", F), ("1976", F), ("1980", T), ("1989", F)],
     "Związek powstał po fali strajków, które w sierpniu tego roku objęły "
     "m.in. Stocznię Gdańską."),
    ("W którym roku odbyły się obrady Okrągłego Stołu i pierwsze częściowo "
     "wolne wybory parlamentarne?",
     [("1980", F), ("1981", F), ("1989", T), ("1991", F)],
     "Było to w tym samym roku, w którym upadł mur berliński."),
    ("W którym roku Polska przystąpiła do Unii Europejskiej?",
     [("1999", F), ("2002", F), ("2004", T), ("2007", F)],
     "Polska weszła do Unii 1 maja, razem z dziewięcioma innymi państwami."),
    ("Którzy z wymienionych władców należeli do dynastii Piastów?",
     [("Mieszko I", T), ("Władysław Jagiełło", F), ("Bolesław Chrobry", T),
      ("Zygmunt August", F), ("Kazimierz Wielki", T)],
     "Piastowie rządzili Polską od X do XIV wieku."),
    ("Które z wymienionych postaci historycznych były królami Polski?",
     [("Tadeusz Kościuszko", F), ("Jan III Sobieski", T),
      ("Mikołaj Kopernik", F), ("Stefan Batory", T),
      ("Władysław Łokietek", T)],
     "Trzy odpowiedzi są poprawne. Zastanów się, kto nosił koronę."),
    ("Które z wymienionych wydarzeń miały miejsce w średniowieczu?",
     [("Odsiecz wiedeńska", F), ("Chrzest Polski", T),
      ("Koronacja Bolesława Chrobrego", T),
      ("Uchwalenie Konstytucji 3 Maja", F), ("Bitwa pod Grunwaldem", T)],
     "Średniowiecze trwało mniej więcej od V do XV wieku."),
]

PRZYRODA = [
    ("Jaki gaz rośliny pobierają z powietrza podczas fotosyntezy?",
     [("Dwutlenek węgla", T), ("Tlen", F), ("Azot", F), ("Wodór", F)],
     "Ten sam gaz wydychamy podczas oddychania."),
    ("W której części komórki roślinnej zachodzi fotosynteza?",
     [("W mitochondriach", F), ("W jądrze komórkowym", F),
      ("W chloroplastach", T), ("W wakuoli", F)],
     "Te części komórki zawierają zielony barwnik – chlorofil."),
    ("Jak nazywa się parowanie wody przez liście roślin?",
     [("Fotosynteza", F), ("Fermentacja", F), ("Kiełkowanie", F),
      ("Transpiracja", T)],
     "Dzięki temu procesowi woda pobrana przez korzenie może wędrować "
     "w górę rośliny."),
    ("Który organ rośliny pobiera z gleby wodę z solami mineralnymi?",
     [("Liść", F), ("Kwiat", F), ("Korzeń", T), ("Łodyga", F)],
     "Ten organ ma włośniki, które zwiększają jego powierzchnię chłonną."),
    ("Które z wymienionych organizmów są grzybami?",
     [("Drożdże", T), ("Paproć", F), ("Pieczarka", T), ("Mech", F),
      ("Borowik", T)],
     "Grzyby nie mają chlorofilu i nie przeprowadzają fotosyntezy."),
    ("Które z wymienionych zwierząt są ssakami?",
     [("Wieloryb", T), ("Pingwin", F), ("Nietoperz", T), ("Rekin", F),
      ("Delfin", T)],
     "Ssaki karmią swoje młode mlekiem, nawet jeśli żyją w wodzie "
     "lub latają."),
    ("Które z wymienionych zwierząt są ptakami?",
     [("Nietoperz", F), ("Kura", T), ("Struś", T), ("Motyl", F),
      ("Bocian", T)],
     "Ptaki mają pióra i składają jaja, choć nie wszystkie potrafią latać."),
    ("Które z wymienionych zwierząt są płazami?",
     [("Żaba", T), ("Jaszczurka", F), ("Traszka", T), ("Żółw", F),
      ("Salamandra", T)],
     "Płazy mają wilgotną, nagą skórę, a ich larwy rozwijają się w wodzie."),
    ("Ile par odnóży krocznych ma owad?",
     [("Dwie", F), ("Trzy", T), ("Cztery", F), ("Pięć", F)],
     "Pająk nie jest owadem – ma cztery pary odnóży krocznych, "
     "a owad mniej."),
    ("Jak nazywa się rozwój owada, w którym występuje stadium poczwarki?",
     [("Przeobrażenie niezupełne", F), ("Przeobrażenie zupełne", T),
      ("Rozwój prosty", F), ("Pączkowanie", F)],
     "Tak rozwijają się m.in. motyle i chrząszcze. Ich larwa jest całkiem "
     "niepodobna do postaci dorosłej."),
    ("Który narząd pompuje krew w organizmie człowieka?",
     [("Płuca", F), ("Wątroba", F), ("Nerki", F), ("Żołądek", F),
      ("Serce", T)],
     "Ten narząd bije przez całe życie; jego uderzenia wyczujesz "
     "na nadgarstku jako tętno."),
    ("Jaką funkcję pełnią czerwone krwinki (erytrocyty)?",
     [("Transportują tlen", T), ("Zwalczają bakterie i wirusy", F),
      ("Uczestniczą w krzepnięciu krwi", F), ("Wytwarzają hormony", F)],
     "Zawierają czerwony barwnik – hemoglobinę."),
    ("Które z wymienionych są grupami krwi w układzie AB0?",
     [("A", T), ("B", T), ("C", F), ("AB", T), ("0", T)],
     "W tym układzie wyróżnia się cztery grupy krwi."),
    ("Który narząd człowieka wytwarza żółć?",
     [("Trzustka", F), ("Wątroba", T), ("Śledziona", F),
      ("Pęcherzyk żółciowy", F)],
     "Żółć jest gromadzona w pęcherzyku żółciowym, ale powstaje w innym "
     "narządzie."),
    ("Które z wymienionych narządów należą do układu pokarmowego człowieka?",
     [("Płuca", F), ("Żołądek", T), ("Jelito cienkie", T), ("Nerki", F),
      ("Wątroba", T)],
     "Do tego układu należą też gruczoły wytwarzające soki trawienne."),
    ("Z ilu kości składa się szkielet dorosłego człowieka?",
     [("Około 106", F), ("Około 306", F), ("Około 506", F), ("Około 206", T)],
     "Noworodek ma ich więcej, bo część kości zrasta się z wiekiem. "
     "Dorosły ma nieco ponad dwieście."),
    ("Ile chromosomów ma typowa komórka ciała (somatyczna) człowieka?",
     [("23", F), ("44", F), ("46", T), ("48", F)],
     "Chromosomy w komórkach ciała występują w parach, a komórki rozrodcze "
     "mają ich o połowę mniej."),
    ("Która witamina powstaje w skórze człowieka pod wpływem promieni "
     "słonecznych?",
     [("Witamina A", F), ("Witamina C", F), ("Witamina K", F),
      ("Witamina D", T)],
     "Niedobór tej witaminy u dzieci może prowadzić do krzywicy."),
    ("W jakiej temperaturze wrze czysta woda pod normalnym ciśnieniem "
     "atmosferycznym?",
     [("0 °C", F), ("50 °C", F), ("100 °C", T), ("212 °C", F)],
     "W tej temperaturze woda w czajniku zaczyna kipieć."),
    ("Jak nazywa się przejście substancji ze stanu stałego w stan ciekły?",
     [("Topnienie", T), ("Krzepnięcie", F), ("Parowanie", F),
      ("Skraplanie", F), ("Resublimacja", F)],
     "Tak dzieje się wiosną z lodem i śniegiem."),
    ("Jaki jest wzór chemiczny wody?",
     [("CO2", F), ("H2O2", F), ("NaCl", F), ("H2O", T), ("O2", F)],
     "Woda powstaje w reakcji wodoru z tlenem."),
    ("Jaki symbol chemiczny ma żelazo?",
     [("F", F), ("Fr", F), ("Fe", T), ("Zn", F)],
     "Symbol pochodzi od łacińskiej nazwy tego pierwiastka, "
     "a nie od polskiej."),
    ("Który gaz stanowi największą część powietrza atmosferycznego?",
     [("Tlen", F), ("Dwutlenek węgla", F), ("Argon", F), ("Azot", T)],
     "Tego gazu jest w powietrzu prawie cztery razy więcej niż tlenu."),
    ("Które z podanych wzorów są wzorami kwasów?",
     [("HCl", T), ("NaOH", F), ("H2SO4", T), ("NaCl", F), ("HNO3", T)],
     "Kwasy w roztworze wodnym odszczepiają kationy wodoru."),
    ("Jaki odczyn ma roztwór o pH równym 7?",
     [("Kwasowy", F), ("Obojętny", T), ("Zasadowy", F)],
     "Taki odczyn ma chemicznie czysta woda w temperaturze 25 °C."),
    ("Które z wymienionych pierwiastków są metalami?",
     [("Siarka", F), ("Sód", T), ("Magnez", T), ("Tlen", F), ("Złoto", T)],
     "Metale mają charakterystyczny połysk i dobrze przewodzą ciepło "
     "oraz prąd."),
    ("Jakie cząstki mogą wchodzić w skład jądra atomowego?",
     [("Elektrony", F), ("Protony", T), ("Neutrony", T), ("Fotony", F)],
     "Jądro atomu ma ładunek dodatni, a wokół niego krążą cząstki "
     "o ładunku ujemnym."),
    ("Który pierwiastek jest podstawą budowy związków organicznych?",
     [("Żelazo", F), ("Węgiel", T), ("Sód", F), ("Hel", F)],
     "Ten pierwiastek występuje w przyrodzie m.in. jako diament i grafit."),
    ("Które z wymienionych zjawisk są przemianami chemicznymi?",
     [("Spalanie drewna", T), ("Topnienie lodu", F), ("Rdzewienie żelaza", T),
      ("Rozpuszczanie cukru w wodzie", F), ("Kwaśnienie mleka", T)],
     "W przemianie chemicznej powstaje nowa substancja o innych "
     "właściwościach."),
    ("Które z wymienionych substancji dobrze przewodzą prąd elektryczny?",
     [("Miedź", T), ("Guma", F), ("Aluminium", T), ("Szkło", F),
      ("Suche drewno", F)],
     "Przewody elektryczne wykonuje się z metali, a izolację z innych "
     "materiałów."),
    ("Jaka jest jednostka siły w układzie SI?",
     [("Dżul (J)", F), ("Wat (W)", F), ("Niuton (N)", T), ("Paskal (Pa)", F)],
     "Jednostka nosi nazwisko angielskiego fizyka, który sformułował "
     "trzy zasady dynamiki."),
    ("W jakich jednostkach mierzy się natężenie prądu elektrycznego?",
     [("W woltach (V)", F), ("W amperach (A)", T), ("W watach (W)", F),
      ("W dżulach (J)", F)],
     "Nazwa jednostki pochodzi od nazwiska francuskiego fizyka, żyjącego "
     "na przełomie XVIII i XIX wieku."),
    ("Jaka jest podstawowa jednostka temperatury w układzie SI?",
     [("Kelwin", T), ("Stopień Celsjusza", F), ("Stopień Fahrenheita", F),
      ("Dżul", F)],
     "W tej skali zero oznacza zero bezwzględne, czyli najniższą możliwą "
     "temperaturę."),
    ("Z jaką w przybliżeniu prędkością rozchodzi się światło w próżni?",
     [("340 m/s", F), ("300 000 km/s", T), ("3 000 km/h", F), ("30 km/s", F)],
     "Światło ze Słońca dociera do Ziemi w około 8 minut, pokonując około "
     "150 milionów kilometrów."),
    ("W którym z wymienionych ośrodków dźwięk nie może się rozchodzić?",
     [("W powietrzu", F), ("W wodzie", F), ("W stali", F), ("W próżni", T)],
     "Dźwięk to drgania cząsteczek ośrodka, w którym się rozchodzi."),
    ("Która planeta Układu Słonecznego znajduje się najbliżej Słońca?",
     [("Wenus", F), ("Ziemia", F), ("Merkury", T), ("Mars", F)],
     "To najmniejsza planeta Układu Słonecznego."),
    ("Która planeta jest największa w Układzie Słonecznym?",
     [("Saturn", F), ("Ziemia", F), ("Neptun", F), ("Uran", F),
      ("Jowisz", T)],
     "To gazowy olbrzym, piąta planeta od Słońca."),
    ("Które z wymienionych planet należą do planet skalistych "
     "(typu ziemskiego)?",
     [("Merkury", T), ("Wenus", T), ("Jowisz", F), ("Mars", T),
      ("Saturn", F)],
     "Planety skaliste krążą bliżej Słońca niż pas planetoid."),
    ("Co ile mniej więcej dni powtarzają się fazy Księżyca, "
     "na przykład od pełni do pełni?",
     [("Co około 7 dni", F), ("Co około 14 dni", F),
      ("Co około 29,5 dnia", T), ("Co około 365 dni", F)],
     "To mniej więcej tyle, ile trwa jeden miesiąc kalendarzowy."),
    ("Które z wymienionych źródeł energii są odnawialne?",
     [("Węgiel kamienny", F), ("Energia wiatru", T), ("Gaz ziemny", F),
      ("Energia słoneczna", T), ("Energia płynącej wody", T)],
     "Odnawialne źródła energii nie wyczerpują się, bo przyroda stale "
     "je uzupełnia."),
]

GEOGRAFIA = [
    ("Jakie miasto jest stolicą Polski?",
     [("Kraków", F), ("Warszawa", T), ("Gdańsk", F), ("Poznań", F),
      ("Wrocław", F)],
     "Miasto leży nad Wisłą, na Nizinie Mazowieckiej."),
    ("Jakie miasto jest stolicą Francji?",
     [("Paryż", T), ("Lyon", F), ("Marsylia", F), ("Bruksela", F)],
     "Miasto leży nad Sekwaną."),
    ("Które z wymienionych par państwo – stolica są poprawne?",
     [("Hiszpania – Madryt", T), ("Słowacja – Budapeszt", F),
      ("Włochy – Rzym", T), ("Ukraina – Mińsk", F), ("Czechy – Praga", T)],
     "Trzy pary są poprawne. W dwóch pozostałych podano stolice innych "
     "państw."),
    ("Który szczyt jest najwyższym szczytem Polski?",
     [("Śnieżka", F), ("Giewont", F), ("Rysy", T), ("Babia Góra", F),
      ("Kasprowy Wierch", F)],
     "Szczyt leży w Tatrach, na granicy ze Słowacją, i ma blisko "
     "2500 m n.p.m."),
    ("W którym paśmie górskim leży Śnieżka, najwyższy szczyt Sudetów?",
     [("W Tatrach", F), ("W Bieszczadach", F), ("W Pieninach", F),
      ("W Karkonoszach", T), ("W Górach Świętokrzyskich", F)],
     "To najwyższe pasmo Sudetów, leżące na granicy z Czechami."),
    ("Które z wymienionych pasm górskich leżą (przynajmniej częściowo) "
     "w Polsce?",
     [("Tatry", T), ("Alpy", F), ("Sudety", T), ("Pireneje", F),
      ("Bieszczady", T)],
     "Góry w Polsce leżą głównie wzdłuż jej południowej granicy."),
    ("Która rzeka jest najdłuższą rzeką Polski?",
     [("Odra", F), ("Warta", F), ("Wisła", T), ("Bug", F)],
     "Ta rzeka ma źródła w Beskidzie Śląskim i uchodzi do Zatoki Gdańskiej."),
    ("Które z wymienionych miast leżą nad Wisłą?",
     [("Kraków", T), ("Wrocław", F), ("Warszawa", T), ("Poznań", F),
      ("Toruń", T)],
     "Wisła płynie z południa na północ, przez środek kraju, "
     "do Zatoki Gdańskiej."),
    ("Która rzeka przepływa przez Wrocław i uchodzi do Zalewu "
     "Szczecińskiego?",
     [("Wisła", F), ("Warta", F), ("Odra", T), ("Bug", F)],
     "Ta rzeka tworzy część zachodniej granicy Polski."),
    ("Nad którą rzeką leży Poznań?",
     [("Nad Odrą", F), ("Nad Wisłą", F), ("Nad Notecią", F),
      ("Nad Wartą", T)],
     "Ta rzeka jest najdłuższym dopływem Odry."),
    ("Które z wymienionych rzek są dopływami Wisły?",
     [("San", T), ("Warta", F), ("Narew", T), ("Nysa Łużycka", F),
      ("Pilica", T)],
     "Dopływ to rzeka wpadająca bezpośrednio do innej rzeki. Pamiętaj, "
     "że Odra ma własne dopływy."),
    ("Nad którym morzem leży Polska?",
     [("Nad Morzem Północnym", F), ("Nad Morzem Bałtyckim", T),
      ("Nad Morzem Czarnym", F), ("Nad Morzem Śródziemnym", F)],
     "To płytkie morze śródlądowe o niskim zasoleniu."),
    ("Które z wymienionych miast leżą nad Morzem Bałtyckim?",
     [("Olsztyn", F), ("Gdynia", T), ("Kołobrzeg", T), ("Bydgoszcz", F),
      ("Świnoujście", T)],
     "Szukaj miast portowych i nadmorskich uzdrowisk."),
    ("Ile województw jest w Polsce od 1999 roku?",
     [("12", F), ("16", T), ("18", F), ("49", F)],
     "W 1999 roku liczbę województw zmniejszono z 49 do kilkunastu."),
    ("Które z wymienionych miast są stolicami województw?",
     [("Radom", F), ("Gdańsk", T), ("Olsztyn", T), ("Częstochowa", F),
      ("Rzeszów", T)],
     "Dwa z wymienionych miast, choć duże, nie są siedzibami władz "
     "województwa."),
    ("W którym województwie leży Kraków?",
     [("W śląskim", F), ("W podkarpackim", F), ("W małopolskim", T),
      ("W świętokrzyskim", F)],
     "To województwo leży na południu Polski i obejmuje polską część Tatr."),
    ("Które jezioro jest największe w Polsce pod względem powierzchni?",
     [("Mamry", F), ("Hańcza", F), ("Śniardwy", T), ("Gopło", F)],
     "Jezioro leży w Krainie Wielkich Jezior Mazurskich."),
    ("Które jezioro jest najgłębsze w Polsce?",
     [("Śniardwy", F), ("Mamry", F), ("Hańcza", T), ("Wigry", F),
      ("Gopło", F)],
     "Jezioro leży na Suwalszczyźnie i ma ponad 100 m głębokości."),
    ("Która puszcza, wpisana na listę światowego dziedzictwa UNESCO, "
     "słynie z żubrów żyjących na wolności?",
     [("Puszcza Kampinoska", F), ("Puszcza Białowieska", T),
      ("Puszcza Notecka", F), ("Bory Tucholskie", F)],
     "Puszcza leży przy granicy Polski z Białorusią."),
    ("Jaki klimat panuje w Polsce?",
     [("Równikowy wilgotny", F), ("Umiarkowany ciepły przejściowy", T),
      ("Zwrotnikowy suchy", F), ("Polarny", F)],
     "Na pogodę w Polsce wpływają masy powietrza zarówno znad oceanu, "
     "jak i znad lądu."),
    ("Z którymi z wymienionych państw graniczy Polska?",
     [("Niemcy", T), ("Czechy", T), ("Węgry", F), ("Litwa", T),
      ("Austria", F)],
     "Polska ma siedmiu sąsiadów. Przypomnij sobie mapę Europy Środkowej."),
    ("Które z wymienionych państw nie mają dostępu do morza?",
     [("Czechy", T), ("Niemcy", F), ("Słowacja", T), ("Litwa", F),
      ("Węgry", T)],
     "Pomyśl, które państwa leżą w głębi Europy Środkowej, z dala "
     "od wybrzeży."),
    ("Przez które z wymienionych państw przepływa Dunaj?",
     [("Polska", F), ("Niemcy", T), ("Austria", T), ("Czechy", F),
      ("Węgry", T)],
     "Dunaj uchodzi do Morza Czarnego, a po drodze płynie przez "
     "dziesięć państw."),
    ("Która rzeka jest najdłuższą rzeką Europy?",
     [("Dunaj", F), ("Ren", F), ("Wisła", F), ("Dniepr", F), ("Wołga", T)],
     "Ta rzeka płynie przez Rosję i uchodzi do Morza Kaspijskiego."),
    ("Który kontynent jest największy pod względem powierzchni?",
     [("Afryka", F), ("Azja", T), ("Ameryka Północna", F), ("Europa", F),
      ("Antarktyda", F)],
     "Na tym kontynencie leżą Chiny, Indie i najwyższy szczyt świata."),
    ("Który kontynent jest najmniejszy pod względem powierzchni?",
     [("Europa", F), ("Antarktyda", F), ("Australia", T),
      ("Ameryka Południowa", F)],
     "Na tym kontynencie żyją kangury i dziobaki."),
    ("Na którym kontynencie leży pustynia Sahara?",
     [("Azja", F), ("Australia", F), ("Ameryka Południowa", F),
      ("Afryka", T)],
     "Pustynia leży na południe od Morza Śródziemnego."),
    ("Który szczyt jest najwyższym szczytem Ziemi?",
     [("K2", F), ("Mont Blanc", F), ("Kilimandżaro", F),
      ("Mount Everest", T), ("Aconcagua", F)],
     "Szczyt leży w Himalajach, na granicy Nepalu i Chin."),
    ("Który ocean jest największy?",
     [("Spokojny", T), ("Atlantycki", F), ("Indyjski", F), ("Arktyczny", F)],
     "Ten ocean oblewa zachodnie wybrzeża obu Ameryk i wschodnie "
     "wybrzeża Azji."),
    ("Który kanał łączy Ocean Atlantycki z Oceanem Spokojnym?",
     [("Kanał Sueski", F), ("Kanał Panamski", T), ("Kanał Kiloński", F),
      ("Kanał Augustowski", F)],
     "Kanał przecina wąski przesmyk łączący obie Ameryki."),
    ("Jak nazywa się cieśnina oddzielająca Europę od Afryki i łącząca "
     "Morze Śródziemne z Oceanem Atlantyckim?",
     [("Bosfor", F), ("Cieśnina Beringa", F), ("Cieśnina Kaletańska", F),
      ("Cieśnina Gibraltarska", T)],
     "Cieśnina leży między Hiszpanią a Marokiem."),
    ("Które państwo ma największą powierzchnię na świecie?",
     [("Kanada", F), ("Chiny", F), ("Stany Zjednoczone", F), ("Brazylia", F),
      ("Rosja", T)],
     "To państwo leży zarówno w Europie, jak i w Azji."),
    ("Które z wymienionych państw leżą w Ameryce Południowej?",
     [("Brazylia", T), ("Meksyk", F), ("Argentyna", T), ("Kanada", F),
      ("Peru", T)],
     "Ten kontynent leży głównie na półkuli południowej; mówi się tam "
     "przede wszystkim po hiszpańsku i portugalsku."),
    ("Jak nazywa się linia dzieląca Ziemię na półkulę północną "
     "i południową?",
     [("Południk zerowy", F), ("Równik", T), ("Zwrotnik Raka", F),
      ("Koło podbiegunowe", F)],
     "Ta linia ma długość około 40 tysięcy kilometrów."),
    ("Jaką szerokość geograficzną ma biegun północny?",
     [("0°", F), ("45°N", F), ("90°N", T), ("180°", F)],
     "Równik ma szerokość geograficzną 0°, a bieguny leżą od niego "
     "najdalej."),
    ("Przez które miejsce przechodzi południk zerowy?",
     [("Przez Greenwich w Londynie", T), ("Przez Paryż", F),
      ("Przez Rzym", F), ("Przez Warszawę", F)],
     "To miejsce w Anglii słynie z dawnego obserwatorium astronomicznego."),
    ("Ile w przybliżeniu trwa jeden pełny obrót Ziemi wokół własnej osi?",
     [("Około 1 godziny", F), ("Około 12 godzin", F), ("Około 24 godzin", T),
      ("Około 365 dni", F)],
     "Skutkiem tego ruchu jest następowanie po sobie dnia i nocy."),
    ("Które z wymienionych zjawisk są skutkami ruchu obiegowego Ziemi "
     "wokół Słońca?",
     [("Następowanie po sobie dnia i nocy", F), ("Występowanie pór roku", T),
      ("Zmiany długości dnia i nocy w ciągu roku", T),
      ("Przypływy i odpływy morza", F)],
     "Ruch obiegowy trwa około roku, a oś Ziemi jest przy tym stale "
     "nachylona."),
    ("Skala mapy wynosi 1:100 000. Jakiej odległości w terenie odpowiada "
     "1 cm na tej mapie?",
     [("100 m", F), ("1 km", T), ("10 km", F), ("100 km", F)],
     "Zamień 100 000 cm na metry, pamiętając, że 1 m to 100 cm."),
    ("Jak nazywają się linie na mapie łączące punkty o tej samej wysokości "
     "nad poziomem morza?",
     [("Izotermy", F), ("Izobary", F), ("Poziomice (izohipsy)", T),
      ("Południki", F)],
     "Im gęściej te linie leżą na mapie, tym bardziej stromy jest stok."),
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


def check_set(name, questions):
    """Checks a set as written here, before it is rendered."""
    if len(questions) != QUESTIONS_PER_SET:
        raise ValueError(f"{name}: {len(questions)} questions, "
                         f"expected {QUESTIONS_PER_SET}")
    seen = set()
    for text, answers, hint in questions:
        if text in seen:
            raise ValueError(f"{name}: question twice: {text}")
        seen.add(text)
        if not 2 <= len(answers) <= 5:
            raise ValueError(f"{name}: not two to five answers in: {text}")
        if not text or not hint:
            raise ValueError(f"{name}: empty question or hint: {text!r}")
        if len(text) > MAX_QUESTION:
            raise ValueError(f"{name}: question longer than {MAX_QUESTION}: {text}")
        if len(hint) > MAX_HINT:
            raise ValueError(f"{name}: hint longer than {MAX_HINT}: {hint}")
        texts = [a for a, _ in answers]
        if any(not a for a in texts):
            raise ValueError(f"{name}: empty answer listed in: {text}")
        if len(set(texts)) != len(texts):
            raise ValueError(f"{name}: the same answer twice in: {text}")
        for a in texts:
            if len(a) > MAX_ANSWER:
                raise ValueError(f"{name}: answer longer than {MAX_ANSWER}: {a}")
        for s in [text, hint] + texts:
            if s != s.strip() or "  " in s:
                raise ValueError(f"{name}: stray spaces in: {s!r}")
        if not any(ok for _, ok in answers):
            raise ValueError(f"{name}: no correct answer in: {text}")
        if all(ok for _, ok in answers):
            raise ValueError(f"{name}: no wrong answer in: {text}")
    multi = sum(1 for _, a, _ in questions if sum(ok for _, ok in a) > 1)
    if multi < MIN_SEVERAL_CORRECT:
        raise ValueError(f"{name}: only {multi} questions with several "
                         f"correct answers, expected {MIN_SEVERAL_CORRECT}")


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
        if len(texts[0]) > MAX_QUESTION or len(texts[6]) > MAX_HINT or \
                any(len(a) > MAX_ANSWER for a in texts[1:6]):
            raise ValueError(f"{path}: question {i + 1}: text too long")
        flags_line = body[2 * i + 1]
        if not FLAG_LINE.match(flags_line):
            raise ValueError(f"{path}: question {i + 1}: bad flags {flags_line!r}")
        flags = [int(x) for x in flags_line.split(",")]
        if len(flags) != 5 or 1 not in flags:
            raise ValueError(f"{path}: question {i + 1}: no correct answer")
        for answer, flag in zip(texts[1:6], flags):
            if not answer and flag != 2:
                raise ValueError(f"{path}: question {i + 1}: empty answer flagged correct")
        if not any(answer and flag == 2 for answer, flag in zip(texts[1:6], flags)):
            raise ValueError(f"{path}: question {i + 1}: no wrong answer")
    return count


def main():
    for name, questions in SETS.items():
        check_set(name, questions)
        path = os.path.join(HERE, name)
        with open(path, "wb") as f:
            f.write(render(questions))
        n = verify(path, QUESTIONS_PER_SET)
        multi = sum(1 for _, a, _ in questions if sum(ok for _, ok in a) > 1)
        short = sum(1 for _, a, _ in questions if len(a) < 5 or
                    any(not t for t, _ in a))
        print(f"{name}: {n} questions ({multi} with several correct answers, "
              f"{short} with fewer than five answers) - OK")
    return 0


if __name__ == "__main__":
    sys.exit(main())
