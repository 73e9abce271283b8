#pragma once

/// What the reading of element records gathers besides the records: nothing.
struct NoSummary {
    void Merge(const NoSummary&) noexcept {}
};
