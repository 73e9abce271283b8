#include "model/ModelPrefetch.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <future>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

const char* const kPyramid = "1\n5 5\n-2 -2 0\n2 -2 0\n2 2 0\n-2 2 0\n0 0 4\n"
                             "1 4 3 2\n1 2 5\n2 3 5\n3 4 5\n4 1 5\n";
const char* const kTriangle = "1\n3 1\n0 0 0\n9 0 0\n0 9 0\n1 2 3\n";
const char* const kBroken = "1\n3 1\n0 0 0\n9 0 x\n0 9 0\n1 2 3\n";

// Everything Model::Open decides, as text, so that two models compare whole.
std::string Dump(const Model& model) {
    std::ostringstream out;
    out << model.type << ' ' << model.vertexCount << ' ' << model.edgeCount << ' '
        << model.faceCount << " c" << model.center.x << ',' << model.center.y << ','
        << model.center.z << '\n';
    std::map<const Vertex*, int> number{{nullptr, 0}};
    for (const Vertex* v = model.vertices; v; v = v->next) {
        number.emplace(v, static_cast<int>(number.size()));
        out << v->x << ',' << v->y << ',' << v->z << ' ' << v->nx << ',' << v->ny << ',' << v->nz
            << '\n';
    }
    for (const Face* f = model.faces; f; f = f->next) {
        out << number[f->a] << ' ' << number[f->b] << ' ' << number[f->c] << ' ' << number[f->d]
            << ' ' << f->nx << ',' << f->ny << ',' << f->nz << '\n';
    }
    out << (model.LastError() ? model.LastError()->what() : "no error");
    return out.str();
}

// A square grid of size x size vertices, two triangles a cell (or, for a wire
// model, two edges a cell): large enough to be read on every processor, and
// for centring and normals to take a moment after the last record.
std::string Grid(int size, bool wire = false) {
    std::ostringstream text;
    text << (wire ? 0 : 1) << '\n' << size * size << ' ' << 2 * (size - 1) * (size - 1) << '\n';
    for (int j = 0; j < size; ++j) {
        for (int i = 0; i < size; ++i) {
            text << i << ' ' << j << ' ' << (i * j) % 7 << '\n';
        }
    }
    for (int j = 0; j + 1 < size; ++j) {
        for (int i = 0; i + 1 < size; ++i) {
            const int a = 1 + j * size + i;
            if (wire) {
                text << a << ' ' << a + 1 << '\n' << a << ' ' << a + size << '\n';
            } else {
                text << a << ' ' << a + 1 << ' ' << a + size + 1 << '\n'
                     << a << ' ' << a + size + 1 << ' ' << a + size << '\n';
            }
        }
    }
    return text.str();
}

class ModelPrefetchTest : public ::testing::Test {
protected:
    TempFolder m_temp{"kovo-prefetch"};
    const std::string& m_folder = m_temp.Path();

    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = m_folder + "/" + name;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        return path;
    }
    // What a direct Open makes of path, from a model that starts as given.
    static std::string Direct(const std::string& path, std::int32_t type = 0) {
        Model model;
        model.type = type;
        model.center = {1, 2, 3};
        model.Open(path);
        return Dump(model);
    }
};

TEST_F(ModelPrefetchTest, AnUnchangedFileIsHandedOutOnceExactlyAsOpenWouldReadIt) {
    const std::string pyramid = Write("p.dat", kPyramid);
    const std::string broken = Write("b.dat", kBroken);
    ModelPrefetch prefetch({pyramid, broken});
    for (const std::string& path : {pyramid, broken}) {
        Model model;
        model.type = 7; // a failed open keeps type and centre
        model.center = {1, 2, 3};
        EXPECT_EQ(prefetch.Open(model, path), path == pyramid);
        EXPECT_EQ(Dump(model), Direct(path, 7)) << path;
    }
    EXPECT_EQ(prefetch.Hits(), 2);
    // The results served once; a second open reads the file again.
    Model again;
    EXPECT_TRUE(prefetch.Open(again, pyramid));
    EXPECT_EQ(prefetch.Hits(), 2);
    EXPECT_EQ(Dump(again), Direct(pyramid));
}

TEST_F(ModelPrefetchTest, AFileChangedAfterItWasReadIsReadAgain) {
    struct Change {
        const char* what;
        void (*apply)(const std::string& path);
    };
    const Change changes[] = {
        {"rewritten with other text",
         [](const std::string& path) { std::ofstream(path, std::ios::trunc) << kTriangle; }},
        {"same size, written later",
         [](const std::string& path) {
             std::ofstream(path, std::ios::trunc) << std::string(kPyramid).replace(6, 1, "3");
             const struct timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
             ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
         }},
        {"same size and modification time, rewritten in place",
         [](const std::string& path) {
             struct stat before {
             }, now{};
             ASSERT_EQ(::stat(path.c_str(), &before), 0);
             const struct timespec times[2] = {before.st_atim, before.st_mtim};
             do { // until the clock moves on: only the status-change time tells
                 std::ofstream(path, std::ios::in | std::ios::out) << "0";
                 ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
                 ASSERT_EQ(::stat(path.c_str(), &now), 0);
             } while (now.st_ctim.tv_sec == before.st_ctim.tv_sec &&
                      now.st_ctim.tv_nsec == before.st_ctim.tv_nsec);
         }},
        {"replaced by another file",
         [](const std::string& path) {
             const std::string other = path + ".new";
             std::ofstream(other) << kTriangle;
             ASSERT_EQ(std::rename(other.c_str(), path.c_str()), 0);
         }},
    };
    for (const Change& change : changes) {
        const std::string path = Write("m.dat", kPyramid);
        ModelPrefetch prefetch({path});
        prefetch.WaitUntilRead();
        change.apply(path);
        Model model;
        prefetch.Open(model, path);
        EXPECT_EQ(prefetch.Hits(), 0) << change.what;
        EXPECT_EQ(Dump(model), Direct(path)) << change.what;
    }
}

TEST_F(ModelPrefetchTest, OnlyRegularFilesAreReadAheadAndAFailureOnlyForItsOwnPathText) {
    const std::string pipe = m_folder + "/pipe.dat";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string broken = Write("b.dat", kBroken);
    const std::string missing = m_folder + "/missing.dat";
    // Reading the pipe would block the worker for ever; it must be skipped.
    ModelPrefetch prefetch({pipe, missing, m_folder, broken});
    prefetch.WaitUntilRead();
    Model model;
    model.center = {1, 2, 3};
    EXPECT_FALSE(prefetch.Open(model, missing));
    EXPECT_EQ(Dump(model), Direct(missing));
    // The same file by another name: the reason must name the path asked for.
    const std::string other = m_folder + "/./b.dat";
    EXPECT_FALSE(prefetch.Open(model, other));
    EXPECT_EQ(Dump(model), Direct(other));
    EXPECT_EQ(prefetch.Hits(), 0);
}

TEST_F(ModelPrefetchTest, ResultsNotTakenAreFreedAndALaterFileIsFoundPastAnother) {
    const std::string first = Write("1.dat", kPyramid);
    const std::string second = Write("2.dat", kTriangle);
    { ModelPrefetch unused({first, second}); }
    ModelPrefetch prefetch({first, second});
    Model model;
    EXPECT_TRUE(prefetch.Open(model, second));
    EXPECT_EQ(Dump(model), Direct(second));
    EXPECT_EQ(prefetch.Hits(), 1);
}

// Whether the caller finds the worker finishing is a matter of timing, so each
// case is tried until it happens; it nearly always does at the first try.
constexpr int kTries = 30;

TEST_F(ModelPrefetchTest, WorkWhileTheWorkerFinishesRunsOnceOnTheCallersThreadOnlyWhileItWaits) {
    const std::string path = Write("grid.dat", Grid(250));
    const std::string direct = Direct(path);
    int runs = 0;
    for (int attempt = 0; attempt < kTries && runs == 0; ++attempt) {
        ModelPrefetch prefetch({path});
        Model model;
        std::thread::id where;
        EXPECT_TRUE(prefetch.Open(model, path, [&] {
            ++runs;
            where = std::this_thread::get_id();
        }));
        EXPECT_LE(runs, 1);
        EXPECT_EQ(prefetch.Hits(), 1);
        EXPECT_EQ(Dump(model), direct);
        if (runs == 1) {
            EXPECT_EQ(where, std::this_thread::get_id());
        }
    }
    EXPECT_EQ(runs, 1);

    // Nothing worth waiting with: a result already read, a file not read
    // ahead, a wire model, whose load ends with no vertex normals to make.
    const std::string other = Write("other.dat", kTriangle);
    const std::string wire = Write("wire.dat", Grid(250, true));
    {
        ModelPrefetch prefetch({path});
        prefetch.WaitUntilRead();
        Model model;
        EXPECT_TRUE(prefetch.Open(model, path, [&] { ++runs; }));
        EXPECT_TRUE(prefetch.Open(model, other, [&] { ++runs; }));
    }
    for (int attempt = 0; attempt < 3; ++attempt) {
        ModelPrefetch prefetch({wire});
        Model model;
        EXPECT_TRUE(prefetch.Open(model, wire, [&] { ++runs; }));
        EXPECT_EQ(Dump(model), Direct(wire));
    }
    EXPECT_EQ(runs, 1);
}

TEST_F(ModelPrefetchTest, WorkThatThrowsWhileTheWorkerFinishesLeavesTheResultForTheNextOpen) {
    const std::string path = Write("grid.dat", Grid(250));
    bool threw = false;
    for (int attempt = 0; attempt < kTries && !threw; ++attempt) {
        ModelPrefetch prefetch({path});
        Model model;
        try {
            prefetch.Open(model, path, [] { throw std::runtime_error("no room"); });
        } catch (const std::runtime_error&) {
            threw = true;
            EXPECT_EQ(model.vertexCount, 0);
            EXPECT_EQ(prefetch.Hits(), 0);
            EXPECT_TRUE(prefetch.Open(model, path));
            EXPECT_EQ(prefetch.Hits(), 1);
            EXPECT_EQ(Dump(model), Direct(path));
        }
    }
    EXPECT_TRUE(threw);
}

} // namespace

TEST_F(ModelPrefetchTest, AParseThatCannotServeIsFreedAtOnceAndFinishFreesTheRest) {
    const std::string changed = Write("1.dat", kPyramid);
    const std::string kept = Write("2.dat", kTriangle);
    ModelPrefetch prefetch({changed, kept});
    prefetch.WaitUntilRead();
    EXPECT_EQ(prefetch.Held(), 2);
    std::ofstream(changed, std::ios::app) << "\n";
    Model model;
    EXPECT_TRUE(prefetch.Open(model, changed));
    EXPECT_EQ(prefetch.Held(), 1) << "the parse of the old text is gone";
    prefetch.Finish();
    EXPECT_EQ(prefetch.Held(), 0);
    EXPECT_TRUE(prefetch.Open(model, kept));
    EXPECT_EQ(Dump(model), Direct(kept));
    EXPECT_EQ(prefetch.Hits(), 0);
}
