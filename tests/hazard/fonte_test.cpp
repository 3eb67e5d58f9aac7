// The grid sources of the check run: the cache that reads the file again exactly when it may
// have changed (new size, new time, a rewrite too quick for the time stamp), and the fixed grid.
#include "hazard/fonte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "griglia_prova.h"
#include "text/error.h"

namespace tv::hazard {
namespace {

namespace fs = std::filesystem;
using std::chrono::hours;
using std::chrono::seconds;

class GridCacheTest : public ::testing::Test {
  protected:
    // A grid text of `n` records with codes cod, cod + 1...
    static std::string testo(int cod, int n = 1) {
        std::string text = "h";
        for (int r = 0; r < n; ++r) text += "\n" + prova::record(std::to_string(cod + r));
        return text;
    }
    // Rewrites the file and, when asked, sets its time to t0 + `eta` (an hour back or more and
    // the file no longer counts as just written).
    void scrivi(int cod, int n = 1, std::optional<fs::file_time_type::duration> eta = {}) {
        tmp.scrivi("g.txt", testo(cod, n));
        if (eta) fs::last_write_time(file, t0 + *eta);
    }
    std::int64_t codice() { return cache.get(file)->grid().points[0].cod; }

    prova::CartellaTemp tmp;
    CacheGriglia cache;
    fs::path file = tmp.scrivi("g.txt", "");
    fs::file_time_type t0 = fs::last_write_time(file);
};

TEST_F(GridCacheTest, UnchangedFileIsNotParsedAgainJustWrittenOrNot) {
    scrivi(1);  // just written: its bytes are compared
    const auto first = cache.get(file);
    EXPECT_EQ(cache.get(file).get(), first.get());
    scrivi(1, 1, -hours(1));
    EXPECT_EQ(codice(), 1);
    EXPECT_EQ(cache.get(file).get(), cache.get(file).get());
    EXPECT_EQ(cache.letture(), 2u);  // once more for the new time
}

TEST_F(GridCacheTest, NewSizeNewTimeOrAQuickRewriteIsReadAgain) {
    scrivi(1, 1, -hours(1));
    EXPECT_EQ(codice(), 1);
    scrivi(2, 1, -hours(2));  // same size, new time
    EXPECT_EQ(codice(), 2);
    scrivi(3, 2, -hours(2));  // new size, same time
    EXPECT_EQ(cache.get(file)->grid().points.size(), 2u);
    // Two writes within one tick of the file system's clock leave the same time stamp.
    scrivi(4, 1, seconds(0));
    EXPECT_EQ(codice(), 4);
    scrivi(5, 1, seconds(0));
    EXPECT_EQ(codice(), 5);
    EXPECT_EQ(cache.letture(), 5u);
}

TEST_F(GridCacheTest, FileOlderThanTheWindowIsTrustedByItsIdentity) {
    // The cache reads nothing while size and time hold: the usual rule of make and rsync.
    scrivi(1, 1, -hours(1));
    EXPECT_EQ(codice(), 1);
    scrivi(2, 1, -hours(1));
    EXPECT_EQ(codice(), 1);
    EXPECT_EQ(cache.get(tmp.scrivi("altra.txt", testo(9)))->grid().points[0].cod, 9);  // new path
}

TEST_F(GridCacheTest, FailedReloadThrowsAndMendedFileIsReadAgain) {
    scrivi(1);
    const auto before = cache.get(file);
    tmp.scrivi("g.txt", "h\n1 2 3\n");
    fs::last_write_time(file, t0 + seconds(10));
    EXPECT_THROW(cache.get(file), Failure);
    EXPECT_THROW(cache.get(file), Failure);      // not taken as read
    EXPECT_EQ(before->grid().points[0].cod, 1);  // a grid handed out stays whole
    scrivi(3, 1, seconds(20));
    EXPECT_EQ(codice(), 3);
    fs::remove(file);
    EXPECT_EQ(prova::messaggio([&] { cache.get(file); }),
              "Impossibile leggere il file della griglia \"" + path_text(file) + "\".");
}

TEST_F(GridCacheTest, ThreadsShareOneReadingAndThePathIsAskedAtEveryRun) {
    scrivi(1, 1, -hours(1));
    std::vector<const RicercaGriglia*> visti(4, nullptr);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < visti.size(); ++i)
        threads.emplace_back([&, i] {
            for (int k = 0; k < 50; ++k) visti[i] = cache.ricerca([&] { return file; }).get();
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(std::count(visti.begin(), visti.end(), visti[0]), 4);
    EXPECT_EQ(cache.letture(), 1u);
    int chiesto = 0;
    const PercorsoGriglia percorso = [&] {
        ++chiesto;
        return file;
    };
    cache.ricerca(percorso);
    cache.ricerca(percorso);
    EXPECT_EQ(chiesto, 2);  // the path is asked at every run
}

}  // namespace
}  // namespace tv::hazard
