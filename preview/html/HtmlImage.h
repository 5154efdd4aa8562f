// The pictures of a page: every distinct URL (with its background flag) is fetched once, on a pool
// of at most kHtmlMaxFetches threads, and decoded later on the user-interface thread when layout or
// painting needs it. Closing the page cancels the fetches without waiting for one that is blocked.
#pragma once

#include "preview/html/HtmlDevice.h"
#include "preview/html/HtmlHost.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Where the fetch threads get their bytes. It is shared with the threads and outlives the page, so
// a fetch that is still running when the page closes has something to finish in.
class CHtmlResourceSource {
public:
    virtual ~CHtmlResourceSource() = default;
    virtual int FetchResource(const wchar_t* url, std::vector<uint8_t>* bytes) = 0;
};

constexpr int kHtmlMaxFetches = 11;
constexpr int kHtmlPlaceholderWidth = 60;
constexpr int kHtmlPlaceholderHeight = 40;

// True when the arrival of picture `done` of `total` should lay the page out again; the others
// only repaint. Every arrival does up to 10 pictures, every tenth up to 100, every hundredth up to
// 1000 and so on, and the last one always.
bool HtmlImageArrivalNeedsLayout(int done, int total);

struct HtmlFetchJob;
struct HtmlFetchPool;
class CHtmlImageList;

class CHtmlImage {
public:
    ~CHtmlImage();
    CHtmlImage(const CHtmlImage&) = delete;
    CHtmlImage& operator=(const CHtmlImage&) = delete;

    const std::wstring& Url() const { return m_url; }
    int IsBackground() const { return m_background; }
    // 1 when a picture is there afterwards (the placeholder when the bytes are no picture or could
    // not be fetched); 0 while the fetch runs and wait is 0. With wait non-zero it waits for the
    // fetch (unless the list was cancelled).
    int Decode(int wait);
    // Completes a requested size from the natural size: one side given scales the other; a side
    // still 0 takes the natural one.
    void ScaleSize(int* width, int* height) const;
    // The decoded picture (possibly the placeholder), or null.
    const CHtmlBitmap* Bitmap() const { return m_current; }
    int NaturalWidth() const { return m_naturalWidth; }
    int NaturalHeight() const { return m_naturalHeight; }
    // Frees the decoded picture; the fetched bytes stay for the next decode.
    void FreeBitmap();
    bool FetchFinished() const;

private:
    friend class CHtmlImageList;
    CHtmlImage(const std::wstring& url, int background, CHtmlImageList* list);

    std::wstring m_url;
    int m_background;
    CHtmlImageList* m_list;
    std::shared_ptr<HtmlFetchJob> m_job;
    std::vector<uint8_t> m_bytes;
    bool m_haveBytes = false;
    std::unique_ptr<CHtmlBitmap> m_bitmap;
    const CHtmlBitmap* m_current = nullptr;
    int m_naturalWidth = 0;
    int m_naturalHeight = 0;
};

class CHtmlImageList {
public:
    // Without a source the threads fetch through the host, which then has to outlive every fetch.
    CHtmlImageList(CHtmlHost* host, CHtmlPictureDecoder* decoder, std::shared_ptr<CHtmlResourceSource> source);
    ~CHtmlImageList();
    CHtmlImageList(const CHtmlImageList&) = delete;
    CHtmlImageList& operator=(const CHtmlImageList&) = delete;

    // The index of the picture of url with the background flag, added (and its fetch queued) when
    // it is not there yet.
    int Add(const std::wstring& url, int background);
    int Find(const std::wstring& url, int background) const;
    int GetCount() const { return static_cast<int>(m_images.size()); }
    CHtmlImage* GetAt(int index) const;
    void FreeBitmaps();
    // Stops fetching: queued fetches are dropped; running ones finish on their own threads, report
    // nothing and are thrown away. Nothing waits for them.
    void Cancel();
    // Fetches finished so far, and fetches running now (for tests).
    int FinishedCount() const;
    int RunningFetches() const;
    int PoolThreads() const;

private:
    friend class CHtmlImage;
    const CHtmlBitmap* Placeholder();

    CHtmlPictureDecoder* m_decoder;
    std::shared_ptr<HtmlFetchPool> m_pool;
    std::vector<std::unique_ptr<CHtmlImage>> m_images;
    std::unordered_map<std::wstring, int> m_index;  // background flag + URL -> index
    std::unique_ptr<CHtmlBitmap> m_placeholder;
};
