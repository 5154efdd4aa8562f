// The claims of deleted files' data by first cluster, each with the folder its file was found in
// and when it was written, in blocks of 64 for the question the deleted-folder search asks for each
// cluster that may go on from a folder: does a file of another folder, written at a given time or
// later, begin its claim between two clusters? Each block keeps its latest file and the latest of a
// folder other than that one's; two such summaries merge into the one of both, so a table keeps the
// summary of every run of 2^k blocks, and two runs that overlap answer any range of whole blocks.
// A question costs two searches for its ends, two summaries and the claims of the two blocks at its
// ends, however many claims lie between.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

class ClaimOwnerBlocks {
public:
    // The claims by first cluster: their folder and when their file was written.
    using Claims = std::multimap<uint32_t, std::pair<uint64_t, uint32_t>>;

    void Build(const Claims& claims);
    // Whether a claim whose first cluster lies after `a` and before `b` is of a folder other than
    // `owner` and was written at `made` or later.
    bool OtherBetween(uint32_t a, uint32_t b, uint64_t owner, uint32_t made) const;
    // The claims and summaries the last question looked at: what it cost, whatever its range.
    size_t LastQuestionSteps() const { return m_lastSteps; }

private:
    struct Claim {
        uint32_t first;
        uint64_t owner;
        uint32_t written;
    };
    // The latest file of some claims and its folder, and the latest of another folder (-1: none).
    struct Latest {
        uint64_t owner = 0;
        int64_t written = -1;
        int64_t otherWritten = -1;
        void Add(uint64_t o, uint32_t w);
        // The summary of these claims and those of `more`.
        Latest With(const Latest& more) const;
        int64_t NotOf(uint64_t o) const { return owner != o ? written : otherWritten; }
    };
    static constexpr size_t kBlock = 64;

    std::vector<Claim> m_claims;  // by first cluster
    // m_levels[k][i]: the summary of blocks i to i + 2^k - 1.
    std::vector<std::vector<Latest>> m_levels;
    mutable size_t m_lastSteps = 0;
};
