#include "support/LinkedRecords.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

struct Record {
    int id = 0;
    Record* next = nullptr;
};

// Records 0 to 5 in one array, and one record standing on its own.
struct Records {
    std::array<Record, 6> array{};
    Record apart{99};

    Records() {
        for (int i = 0; i < 6; ++i) {
            array[i].id = i;
        }
    }
    // Links the records with the ids given, in that order.
    Record* Link(const std::vector<int>& order) {
        Record* previous = nullptr;
        Record* first = nullptr;
        for (int i : order) {
            Record* record = i == apart.id ? &apart : &array[i];
            record->next = nullptr;
            (previous ? previous->next : first) = record;
            previous = record;
        }
        return first;
    }
};

std::vector<int> Visited(Record* first) {
    std::vector<int> ids;
    ForEachLinked(first, [&ids](const Record& record) { ids.push_back(record.id); });
    return ids;
}

} // namespace

// Records that stand right after the one before them in memory are gone on to
// without waiting for the link; the order visited is the links' order all the
// same, wherever they lead.
TEST(LinkedRecordsTest, VisitsInLinkOrderWhereverTheLinksLead) {
    const std::vector<std::vector<int>> orders{
        {},
        {3},
        {0, 1, 2, 3, 4, 5},
        {5, 4, 3, 2, 1, 0},
        {0, 1, 3, 4, 2},     // skips ahead, then back
        {0, 1, 99, 2, 3, 5}, // through a record outside the array
        {2, 3, 4, 5, 0, 1},  // the last of the array links back to the first
    };
    for (const auto& order : orders) {
        Records records;
        EXPECT_EQ(Visited(records.Link(order)), order);
    }
}

TEST(LinkedRecordsTest, StopsAtTheFirstRecordThatVisitRefuses) {
    Records records;
    Record* first = records.Link({0, 1, 99, 2, 3});
    std::vector<int> seen;
    const auto upTo = [&seen](int last) {
        return [&seen, last](const Record& record) {
            seen.push_back(record.id);
            return record.id != last;
        };
    };
    EXPECT_EQ(VisitLinkedWhile(first, upTo(2)), &records.array[2]);
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 99, 2}));
    EXPECT_EQ(VisitLinkedWhile(first, upTo(7)), nullptr);
    EXPECT_EQ(VisitLinkedWhile(static_cast<Record*>(nullptr), upTo(7)), nullptr);
}

// As in a plain walk, a link is read after its record is visited: a visit that
// changes it leads the walk the new way.
TEST(LinkedRecordsTest, ALinkChangedByTheVisitIsTheOneFollowed) {
    Records records;
    Record* first = records.Link({0, 1, 2, 3, 4, 5});
    std::vector<int> seen;
    ForEachLinked(first, [&](Record& record) {
        seen.push_back(record.id);
        if (record.id == 1) {
            record.next = &records.array[4]; // drops 2 and 3
        }
    });
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 4, 5}));
}
