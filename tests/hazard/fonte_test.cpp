// The grid sources of the check run: the cache that reads the file again exactly when it may
// have changed (new size, new time, a rewrite too quick for the time stamp), and the fixed grid.
#include "hazard/fonte.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "griglia_prova.h"
#include "text/error.h"

namespace tv::hazard {
namespace {

using prova::CartellaTemp;
namespace fs = std::filesystem;

// A grid text of one record: the code and 27 values 1..27.
std::string una_riga(const std::string& cod) {
    std::string out = "h\n";
    out += cod;
    out += " 6.5448 45.134";
    for (int i = 1; i <= 27; ++i) {
        out += ' ';
        out += std::to_string(i);
    }
    return out + "\n";
}

class GridCacheTest : public ::testing::Test {
  protected:
    CartellaTemp tmp;
    GridCache cache;
    fs::path file = tmp.scrivi("g.txt", una_riga("1"));

    std::int64_t codice() { return cache.get(file)->grid().points[0].cod; }
    // Moves the file's time an hour back: the file no longer counts as just written.
    void invecchia(fs::file_time_type t) { fs::last_write_time(file, t - std::chrono::hours(1)); }
};

TEST_F(GridCacheTest, UnchangedFileIsNotParsedAgain) {
    invecchia(fs::last_write_time(file));
    const auto first = cache.get(file);
    EXPECT_EQ(cache.get(file).get(), first.get());
    EXPECT_EQ(cache.get(file)->grid().points[0].cod, 1);
    EXPECT_EQ(cache.letture(), 1u);
}

TEST_F(GridCacheTest, JustWrittenUnchangedFileIsComparedButNotParsedAgain) {
    const auto first = cache.get(file);
    EXPECT_EQ(cache.get(file).get(), first.get());
    EXPECT_EQ(cache.get(file).get(), first.get());
    EXPECT_EQ(cache.letture(), 1u);
}

TEST_F(GridCacheTest, SameSizeNewTimeIsReadAgain) {
    const auto t0 = fs::last_write_time(file);
    invecchia(t0);
    EXPECT_EQ(codice(), 1);
    tmp.scrivi("g.txt", una_riga("2"));
    fs::last_write_time(file, t0 - std::chrono::minutes(30));
    EXPECT_EQ(codice(), 2);
    EXPECT_EQ(cache.letture(), 2u);
}

TEST_F(GridCacheTest, NewSizeSameTimeIsReadAgain) {
    const auto t0 = fs::last_write_time(file);
    invecchia(t0);
    EXPECT_EQ(cache.get(file)->grid().points.size(), 1u);
    tmp.scrivi("g.txt", una_riga("1") + una_riga("2").substr(2));
    invecchia(t0);
    EXPECT_EQ(cache.get(file)->grid().points.size(), 2u);
}

TEST_F(GridCacheTest, RewriteKeepingSizeAndTimeOfAJustWrittenFileIsSeen) {
    // Two writes within one tick of the file system's clock leave the same time stamp.
    const auto t0 = fs::last_write_time(file);
    EXPECT_EQ(codice(), 1);
    tmp.scrivi("g.txt", una_riga("2"));
    fs::last_write_time(file, t0);
    EXPECT_EQ(codice(), 2);
}

TEST_F(GridCacheTest, FileOlderThanTheWindowIsTrustedByItsIdentity) {
    // The cache reads nothing while size and time hold: the usual rule of make and rsync.
    const auto t0 = fs::last_write_time(file);
    invecchia(t0);
    EXPECT_EQ(codice(), 1);
    tmp.scrivi("g.txt", una_riga("2"));
    invecchia(t0);
    EXPECT_EQ(codice(), 1);
    EXPECT_EQ(cache.letture(), 1u);
}

TEST_F(GridCacheTest, OtherPathGivesOtherGrid) {
    const auto other = tmp.scrivi("altra.txt", una_riga("9"));
    EXPECT_EQ(cache.get(file)->grid().points[0].cod, 1);
    EXPECT_EQ(cache.get(other)->grid().points[0].cod, 9);
    EXPECT_EQ(cache.get(file)->grid().points[0].cod, 1);
}

TEST_F(GridCacheTest, FailedReloadThrowsAndMendedFileIsReadAgain) {
    const auto t0 = fs::last_write_time(file);
    const auto before = cache.get(file);
    tmp.scrivi("g.txt", "h\n1 2 3\n");
    fs::last_write_time(file, t0 + std::chrono::seconds(10));
    EXPECT_THROW(cache.get(file), Failure);
    EXPECT_THROW(cache.get(file), Failure);      // not taken as read
    EXPECT_EQ(before->grid().points[0].cod, 1);  // a grid handed out stays whole
    tmp.scrivi("g.txt", una_riga("3"));
    fs::last_write_time(file, t0 + std::chrono::seconds(20));
    EXPECT_EQ(codice(), 3);
}

TEST_F(GridCacheTest, RemovedFileThrowsEvenWhenCached) {
    cache.get(file);
    fs::remove(file);
    try {
        cache.get(file);
        FAIL() << "nessun errore";
    } catch (const Failure& f) {
        EXPECT_EQ(std::string(f.what()),
                  "Impossibile leggere il file della griglia \"" + path_text(file) + "\".");
    }
}

TEST_F(GridCacheTest, GridComesWithItsSearches) {
    const auto r = cache.ricerca([&] { return file; });
    ASSERT_NE(r->nearest(7, 45), nullptr);
    EXPECT_EQ(r->nearest(7, 45)->cod, 1);
    EXPECT_EQ(r->by_code(1)->lat, 45.134);
    EXPECT_EQ(r->by_code(2), nullptr);
}

TEST_F(GridCacheTest, ThreadsShareOneReading) {
    invecchia(fs::last_write_time(file));
    std::vector<const GrigliaIndicizzata*> visti(4, nullptr);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < visti.size(); ++i)
        threads.emplace_back([&, i] {
            for (int k = 0; k < 50; ++k) visti[i] = cache.get(file).get();
        });
    for (auto& t : threads) t.join();
    for (const auto* v : visti) EXPECT_EQ(v, visti[0]);
    EXPECT_EQ(cache.letture(), 1u);
}

TEST(GrigliaFissaTest, GivesItsGridWithoutLookingForAFile) {
    auto griglia = std::make_shared<const GrigliaIndicizzata>(prova::reticolo(2, 2));
    GrigliaFissa fonte(griglia);
    int chiesto = 0;
    const PercorsoGriglia file = [&] {
        ++chiesto;
        return fs::path("manca.txt");
    };
    EXPECT_EQ(fonte.ricerca(file).get(), griglia.get());
    EXPECT_EQ(fonte.ricerca(file)->by_code(prova::codice(1, 1))->lat, prova::lat_riga(1));
    EXPECT_EQ(chiesto, 0);
}

TEST_F(GridCacheTest, AsksForThePathAtEveryRun) {
    int chiesto = 0;
    const PercorsoGriglia percorso = [&] {
        ++chiesto;
        return file;
    };
    cache.ricerca(percorso);
    cache.ricerca(percorso);
    EXPECT_EQ(chiesto, 2);
}

}  // namespace
}  // namespace tv::hazard
