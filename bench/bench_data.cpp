#include "bench_data.h"

#include "questionset/questionset.h"

#include <QSaveFile>
#include <iterator>
#include <cstdint>

namespace bench {

namespace {

// splitmix64: the same stream on every machine and compiler.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t state_;
};

// School vocabulary with every Polish letter; no double quote can occur in a field.
const char16_t* const words[] = {
    u"który", u"która", u"które", u"jest", u"był", u"była", u"się", u"nie", u"w", u"na", u"z", u"do",
    u"od", u"przez", u"podczas", u"oraz", u"lub", u"czy", u"jak", u"gdzie", u"kiedy", u"dlaczego",
    u"najdłuższa", u"największy", u"pierwszy", u"polski", u"polska", u"średniowiecze", u"należy", u"żyje",
    u"rośnie", u"płynie", u"leży", u"powstał", u"założył", u"zwycięstwo", u"wojna", u"pokój", u"traktat",
    u"unia", u"lubelska", u"sejm", u"konstytucja", u"trzeciego", u"maja", u"król", u"Mieszko", u"chrzest",
    u"bitwa", u"pod", u"Grunwaldem", u"wiek", u"jezioro", u"góry", u"Tatry", u"Bałtyk", u"Wisła", u"Odra",
    u"Kraków", u"Gniezno", u"województwo", u"roślina", u"fotosynteza", u"tlen", u"węgiel", u"energia",
    u"prędkość", u"światło", u"dźwięk", u"mięsożerny", u"ssak", u"ptak", u"płaz", u"gad", u"ryba",
    u"owad", u"pająk", u"skrzydło", u"liść", u"korzeń", u"łodyga", u"kwiat", u"nasiono", u"owoc",
    u"drzewo", u"las", u"sosna", u"dąb", u"brzoza", u"jeż", u"żubr", u"łoś", u"niedźwiedź", u"wilk",
    u"zając", u"dzięcioł", u"bocian", u"jaskółka", u"źdźbło", u"żółw", u"gęś", u"ćma", u"łąka",
    u"pszczoła", u"źródło", u"książka", u"słońce", u"zwierzę", u"Ziemia", u"rzeka", u"stolica",
    u"Mazowsze", u"Śląsk", u"Pomorze", u"966", u"1410", u"1569", u"1791", u"około", u"tysięcy",
    u"kilometrów", u"roku"};

// A text of 50 to 200 characters: whole words up to a length drawn from that range, commas here and
// there, the first letter upper case and `end` as the last character.
QString text(Random& random, QChar end) {
    const int target = 50 + random.below(151);
    QString out;
    QString last;
    while (out.size() < target) {
        last = QString::fromUtf16(words[random.below(static_cast<int>(std::size(words)))]);
        if (!out.isEmpty())
            out += random.below(9) == 0 ? QStringLiteral(", ") : QStringLiteral(" ");
        out += last;
    }
    if (out.size() > 199) {
        out.chop(last.size());
        while (out.endsWith(u' ') || out.endsWith(u','))
            out.chop(1);
    }
    out[0] = out[0].toUpper();
    return out + end;
}

}  // namespace

bool writeSet(const QString& path, int questions) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(questionset::formatHeader());
    for (int n = 1; n <= questions; ++n) {
        Random random(0x57494544'4f000000ULL + static_cast<std::uint64_t>((n - 1) % repeatPeriod));
        questionset::Question q;
        q.texts.question = text(random, u'?');
        for (QString& answer : q.texts.answers)
            answer = text(random, u'.');
        q.texts.hint = text(random, u'.');
        for (std::uint8_t& flag : q.flags)
            flag = static_cast<std::uint8_t>(1 + random.below(2));
        file.write(questionset::formatQuestion(q));
    }
    return file.commit();
}

}  // namespace bench
