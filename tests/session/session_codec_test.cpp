// The session file: every field comes back as written, and every kind of bad
// file is refused whole with its own reason.
#include "session/SessionCodec.h"
#include "session/SessionView.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

namespace curvalia::session {
namespace {

Session lesson() {
    Session s;
    s.curves = {{"x^3-3*x", 14, std::nullopt, true, true, true},
                {"sin(x)/x", 11, std::int16_t{13}, false, true, false}};
    s.area = {"-3", "3,5", "-4", "4", "0.005"};
    s.view = {-2.75, 1.0625, -0.5, 3.25};
    s.choices = {9, false, true, true, true, false, true, true, true};
    s.appearance = {plot::Background::White, 3, true, plot::AxisNumberSize::Large,
                    plot::GridStyle::Lines};
    return s;
}

// Compared through their text: the writer writes every field.
void expectSame(const Session& a, const Session& b) {
    EXPECT_EQ(writeSession(a), writeSession(b));
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(SessionCodec, EveryFieldComesBack) {
    const Session s = lesson();
    const SessionReading back = readSession(writeSession(s));
    ASSERT_TRUE(back.session) << back.reason;
    expectSame(*back.session, s);
}

TEST(SessionCodec, BadFilesAreRefusedWithTheirReason) {
    const std::string good = writeSession(lesson());
    const std::string tooLong(151, '1');
    const std::pair<std::string, const char*> rows[] = {
        {"", "il file è vuoto"},
        {"  \n", "il file è vuoto"},
        {"ciao", "il contenuto non è nel formato JSON"},
        {good.substr(0, good.size() / 2), "il file è troncato"},
        {"[1, 2]", "non contiene una sessione di Curvalia Light"},
        {replaced(good, "curvalia-sessione", "altro"),
         "non contiene una sessione di Curvalia Light"},
        {replaced(good, "\"versione\": 2", "\"versione\": 3"),
         "è stata salvata da una versione più recente del programma"},
        {replaced(good, "\"versione\": 2", "\"versione\": \"2\""),
         "la voce \"versione\" non è del tipo previsto"},
        {replaced(good, "\"stampaGriglia\": true", "\"stampaGriglia\": 1"),
         "la voce \"stampaGriglia\" non è del tipo previsto"},
        {replaced(good, "\"xmin\": \"-3\"", "\"xmin\": -3"),
         "la voce \"xmin\" non è del tipo previsto"},
        {replaced(good, "\"curve\": [", "\"curve\": [3, "),
         "la voce \"curve\" non è del tipo previsto"},
        {replaced(good, "\"xmin\": -2.75", "\"xmin\": -1e300"), "la vista è fuori dai limiti"},
        {replaced(good, "\"xmin\": -2.75", "\"xmin\": 1e999"), ""},
        {replaced(good, "\"xmin\": -2.75", "\"xmin\": 1.0625"), "la vista è fuori dai limiti"},
        {replaced(good, "\"colore\": 14", "\"colore\": 16"),
         "il valore di \"colore\" è fuori dai limiti"},
        {replaced(good, "\"colore\": 14", "\"colore\": 1.5"),
         "il valore di \"colore\" è fuori dai limiti"},
        {replaced(good, "\"coloreGrafico\": 9", "\"coloreGrafico\": 12"),
         "il valore di \"coloreGrafico\" è fuori dai limiti"},
        {replaced(good, "\"xmin\": \"-3\"", "\"xmin\": \"" + tooLong + "\""),
         "il testo di \"xmin\" è troppo lungo"},
        {replaced(good, "\"espressione\": \"x^3-3*x\"", "\"espressione\": \"" + tooLong + "\""),
         "il testo di \"espressione\" è troppo lungo"},
        {replaced(good, "x^3-3*x", "sen(x)"), "l'espressione \"sen(x)\" non è accettata: "},
        {replaced(good, "x^3-3*x", "sin(x)/x"), "la curva \"sin(x)/x\" compare due volte"},
        {replaced(good, "\"funzione\": false", "\"funzione\": false, \"spessore\": 2"),
         "la voce \"spessore\" non è prevista"},
        {replaced(good, "\"derivata\": true,", ""), "manca la voce \"derivata\""},
        {good + std::string(10 * 1024 * 1024, ' '), "il file è più grande di 1 MB"},
        {replaced(good, "\"sfondo\": \"bianco\"", "\"sfondo\": \"grigio\""),
         "il valore di \"sfondo\" non è tra quelli previsti (\"nero\", \"bianco\")"},
        {replaced(good, "\"sfondo\": \"bianco\"", "\"sfondo\": 1"),
         "la voce \"sfondo\" non è del tipo previsto"},
        {replaced(good, "\"spessore\": 3", "\"spessore\": 0"),
         "il valore di \"spessore\" è fuori dai limiti"},
        {replaced(good, "\"spessore\": 3", "\"spessore\": 2.5"),
         "il valore di \"spessore\" è fuori dai limiti"},
        {replaced(good, "\"numeriAssi\": \"grandi\"", "\"numeriAssi\": \"Grandi\""),
         "il valore di \"numeriAssi\" non è tra quelli previsti"},
        {replaced(good, "\"griglia\": \"linee\"", "\"griglia\": \"linee\", \"colore\": 3"),
         "la voce \"colore\" non è prevista"},
        {replaced(good, "\"griglia\": \"linee\",", ""), "manca la voce \"griglia\""},
        // The appearance belongs to version 2 on.
        {replaced(good, "\"versione\": 2", "\"versione\": 1"),
         "la voce \"aspetto\" non è prevista"},
    };
    for (const auto& [bytes, reason] : rows) {
        SCOPED_TRACE(bytes.substr(0, 200));
        const SessionReading reading = readSession(bytes);
        EXPECT_FALSE(reading.session);
        EXPECT_FALSE(reading.reason.empty());
        // A refused expression's reason goes on with the checker's own message.
        EXPECT_EQ(reading.reason.substr(0, std::string(reason).size()), reason);
    }
}

TEST(SessionCodec, AVersionOneFileGetsTheDefaultAppearance) {
    Session s = lesson();
    std::string text = replaced(writeSession(s), "\"versione\": 2", "\"versione\": 1");
    // The writer sorts the keys: "aspetto" follows "area".
    const std::size_t from = text.find("    \"aspetto\"");
    ASSERT_NE(from, std::string::npos);
    text.erase(from, text.find("},\n", from) + 3 - from);
    const SessionReading reading = readSession(text);
    ASSERT_TRUE(reading.session) << reading.reason;
    s.appearance = {};
    expectSame(*reading.session, s);
}

TEST(SessionCodec, AFileCutAnywhereIsRefused) {
    const std::string good = writeSession(lesson());
    // Up to the closing brace; the newline after it is not needed.
    for (std::size_t size = 0; size <= good.find_last_of('}'); ++size) {
        const SessionReading reading = readSession(good.substr(0, size));
        EXPECT_FALSE(reading.session) << size;
        EXPECT_FALSE(reading.reason.empty()) << size;
    }
}

// Ten thousand files made from good ones by changing, dropping or doubling
// bytes: each is refused with a reason, or read as a session that writes
// back to itself (nothing half read).
TEST(SessionCodec, MutatedFilesAreReadWholeOrRefused) {
    const std::string goods[] = {writeSession(lesson()), writeSession(Session{})};
    std::mt19937 random(29);
    const std::string alphabet = "{}[]\":,0123456789.-+eE \ntrufalsnx^()";
    const auto start = std::chrono::steady_clock::now();
    int accepted = 0;
    for (int i = 0; i < 10000; ++i) {
        std::string bytes = goods[i % 2];
        for (int edits = 1 + static_cast<int>(random() % 3); edits > 0; --edits) {
            const std::size_t at = random() % bytes.size();
            switch (random() % 3) {
            case 0:
                bytes[at] = alphabet[random() % alphabet.size()];
                break;
            case 1:
                bytes.erase(at, 1 + random() % 4);
                break;
            default:
                bytes.insert(at, bytes.substr(at, 1 + random() % 8));
                break;
            }
        }
        const SessionReading reading = readSession(bytes);
        if (!reading.session) {
            ASSERT_FALSE(reading.reason.empty()) << bytes;
            continue;
        }
        ++accepted;
        const SessionReading again = readSession(writeSession(*reading.session));
        ASSERT_TRUE(again.session) << again.reason;
        expectSame(*again.session, *reading.session);
    }
    EXPECT_GT(accepted, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

TEST(SessionView, TheViewKeepsTheSamplesOfAreaOrOfTheDefaultRange) {
    Session s;
    s.view = {-5, 5, -1, 1};
    const SessionRanges ranges = rangesOf(s);
    EXPECT_EQ(ranges.home.Xmax, 10);
    EXPECT_EQ(ranges.view.Xmin, -5);
    EXPECT_EQ(ranges.view.Ymax, 1);
    EXPECT_DOUBLE_EQ(ranges.view.Step, 0.005);
    s.area.step = "0";
    EXPECT_DOUBLE_EQ(rangesOf(s).view.Step, 10.0 / 2000);
    EXPECT_EQ(rangesOf(s).home.Xmin, -5);
}

} // namespace
} // namespace curvalia::session
