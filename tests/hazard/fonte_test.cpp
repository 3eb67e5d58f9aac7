// SPDX-License-Identifier: GPL-3.0-or-later
// The grid cache: read again exactly when the file may have changed (new size, new time, a
// rewrite too quick for the time stamp), shared by threads, and a failed read.
#include "hazard/fonte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "griglia_prova.h"

namespace tv::hazard {
namespace {

namespace fs = std::filesystem;
using std::chrono::hours;
using std::chrono::seconds;

class GridCacheTest : public ::testing::Test {
  protected:
    // Rewrites the file with n records from code cod, 5 apart (no lattice neighbours), and sets its time to t0 + eta (an hour
    // back or more and the file no longer counts as just written).
    void scrivi(int cod, fs::file_time_type::duration eta, int n = 1) {
        std::string text = "h";
        for (int r = 0; r < n; ++r) text += "\n" + prova::record(std::to_string(cod + 5 * r));
        tmp.scrivi("g.txt", text);
        fs::last_write_time(file, t0 + eta);
    }
    std::int64_t codice() { return cache.get(file)->grid().points[0].cod; }

    prova::CartellaTemp tmp;
    CacheGriglia cache;
    fs::path file = tmp.scrivi("g.txt", "");
    fs::file_time_type t0 = fs::last_write_time(file);
};

TEST_F(GridCacheTest, ReadAgainOnNewSizeNewTimeOrQuickRewriteElseTrusted) {
    scrivi(1, seconds(0));  // just written: its bytes are compared
    const auto first = cache.get(file);
    EXPECT_EQ(cache.get(file).get(), first.get());
    scrivi(1, -hours(1));
    EXPECT_EQ(codice(), 1);
    scrivi(2, -hours(1));  // same size and time of an old file: the same file, as make does
    EXPECT_EQ(codice(), 1);
    scrivi(2, -hours(2));  // same size, new time
    EXPECT_EQ(codice(), 2);
    scrivi(3, -hours(2), 2);  // new size, same time
    EXPECT_EQ(cache.get(file)->grid().points.size(), 2u);
    // Two writes within one tick of the file system's clock leave the same time stamp.
    scrivi(4, seconds(0));
    EXPECT_EQ(codice(), 4);
    scrivi(5, seconds(0));
    EXPECT_EQ(codice(), 5);
    EXPECT_EQ(cache.get(tmp.scrivi("altra.txt", "h\n" + prova::record("9")))->grid().points[0].cod, 9);
    EXPECT_EQ(cache.letture(), 7u);
}

TEST_F(GridCacheTest, FailedReloadNamesTheFileAndMendedFileIsReadAgain) {
    scrivi(1, seconds(0));
    const auto before = cache.get(file);
    tmp.scrivi("g.txt", "h\n1 2\n");
    fs::last_write_time(file, t0 + seconds(10));
    const std::string atteso = "File della griglia \"" + path_text(file) +
                               "\", record 1 (riga 2): il record ha 2 numeri invece di 30.";
    EXPECT_EQ(prova::messaggio([&] { cache.get(file); }), atteso);
    EXPECT_EQ(prova::messaggio([&] { cache.get(file); }), atteso);  // not taken as read
    EXPECT_EQ(before->grid().points[0].cod, 1);  // a grid handed out stays whole
    scrivi(3, seconds(20));
    EXPECT_EQ(codice(), 3);
    fs::remove(file);
    EXPECT_EQ(prova::messaggio([&] { cache.get(file); }),
              "Impossibile leggere il file della griglia \"" + path_text(file) + "\".");
}

TEST_F(GridCacheTest, ThreadsShareOneReadingAndThePathIsAskedAtEveryRun) {
    scrivi(1, -hours(1));
    std::vector<const RicercaGriglia*> visti(4, nullptr);
    int chiesto = 0;
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < visti.size(); ++i)
        threads.emplace_back([&, i] {
            for (int k = 0; k < 50; ++k) visti[i] = cache.ricerca([&] { return file; }).get();
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(std::count(visti.begin(), visti.end(), visti[0]), 4);
    EXPECT_EQ(cache.letture(), 1u);
    for (int k = 0; k < 2; ++k) cache.ricerca([&] { return ++chiesto, file; });
    EXPECT_EQ(chiesto, 2);
}

}  // namespace
}  // namespace tv::hazard
