#include "preview/html/HtmlImage.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

struct HtmlFetchJob {
    std::wstring url;
    std::vector<uint8_t> bytes;
    bool finished = false;  // guarded by the pool's mutex
};

struct HtmlFetchPool {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::shared_ptr<HtmlFetchJob>> queue;
    CHtmlHost* host = nullptr;  // told of arrivals, and the source when there is no other
    std::shared_ptr<CHtmlResourceSource> source;
    bool cancelled = false;
    int threads = 0;   // pool threads alive
    int running = 0;   // fetches under way
    int finished = 0;  // fetches done
    int total = 0;     // fetches asked for
};

namespace {

// Fetches through the host when the page was given no source of its own.
int Fetch(CHtmlHost* host, CHtmlResourceSource* source, const std::wstring& url, std::vector<uint8_t>* bytes)
{
    if (source != nullptr)
        return source->FetchResource(url.c_str(), bytes);
    if (host != nullptr)
        return host->FetchResource(url.c_str(), bytes);
    return 0;
}

void RunPoolThread(std::shared_ptr<HtmlFetchPool> pool)
{
    std::unique_lock<std::mutex> lock(pool->mutex);
    for (;;) {
        if (pool->cancelled || pool->queue.empty())
            break;
        std::shared_ptr<HtmlFetchJob> job = pool->queue.front();
        pool->queue.pop_front();
        ++pool->running;
        CHtmlHost* host = pool->host;
        std::shared_ptr<CHtmlResourceSource> source = pool->source;
        lock.unlock();

        std::vector<uint8_t> bytes;
        if (Fetch(host, source.get(), job->url, &bytes) == 0)
            bytes.clear();

        lock.lock();
        --pool->running;
        if (pool->cancelled)
            continue;
        job->bytes.swap(bytes);
        job->finished = true;
        ++pool->finished;
        // Under the lock, so that a page closing meanwhile cannot pull the host away; the host
        // only posts.
        if (pool->host != nullptr)
            pool->host->OnImageLoaded(pool->finished, pool->total);
        pool->changed.notify_all();
    }
    --pool->threads;
    pool->changed.notify_all();
}

}  // namespace

bool HtmlImageArrivalNeedsLayout(int done, int total)
{
    if (done >= total)
        return true;
    long long power = 1;
    while (power < total)
        power *= 10;
    long long step = power / 10;
    if (step < 1)
        step = 1;
    return done % step == 0;
}

CHtmlImage::CHtmlImage(const std::wstring& url, int background, CHtmlImageList* list)
    : m_url(url), m_background(background), m_list(list), m_job(std::make_shared<HtmlFetchJob>())
{
    m_job->url = url;
}

CHtmlImage::~CHtmlImage() = default;

bool CHtmlImage::FetchFinished() const
{
    if (m_haveBytes)
        return true;
    std::lock_guard<std::mutex> lock(m_list->m_pool->mutex);
    return m_job->finished;
}

int CHtmlImage::Decode(int wait)
{
    if (m_current != nullptr)
        return 1;
    if (!m_haveBytes) {
        HtmlFetchPool& pool = *m_list->m_pool;
        std::unique_lock<std::mutex> lock(pool.mutex);
        if (wait != 0)
            pool.changed.wait(lock, [&] { return m_job->finished || pool.cancelled || pool.threads == 0; });
        if (!m_job->finished)
            return 0;
        m_bytes.swap(m_job->bytes);
        m_haveBytes = true;
    }
    if (!m_bytes.empty() && m_list->m_decoder != nullptr) {
        m_bitmap = m_list->m_decoder->DecodePicture(m_bytes.data(), m_bytes.size(), m_url.c_str());
        if (m_bitmap != nullptr && (m_bitmap->Width() <= 0 || m_bitmap->Height() <= 0))
            m_bitmap.reset();
    }
    m_current = m_bitmap != nullptr ? m_bitmap.get() : m_list->Placeholder();
    if (m_current == nullptr)
        return 0;
    m_naturalWidth = m_current->Width();
    m_naturalHeight = m_current->Height();
    return 1;
}

void CHtmlImage::ScaleSize(int* width, int* height) const
{
    long long w = *width, h = *height;
    if (w > 0 && h <= 0 && m_naturalWidth > 0) {
        h = static_cast<long long>(m_naturalHeight) * w / m_naturalWidth;
    } else if (h > 0 && w <= 0 && m_naturalHeight > 0) {
        w = static_cast<long long>(m_naturalWidth) * h / m_naturalHeight;
    }
    if (w <= 0)
        w = m_naturalWidth;
    if (h <= 0)
        h = m_naturalHeight;
    // The sides stay within what the layout adds up without overflow.
    *width = static_cast<int>(w > 100000 ? 100000 : w);
    *height = static_cast<int>(h > 100000 ? 100000 : h);
}

void CHtmlImage::FreeBitmap()
{
    m_bitmap.reset();
    m_current = nullptr;
}

CHtmlImageList::CHtmlImageList(CHtmlHost* host, CHtmlPictureDecoder* decoder,
    std::shared_ptr<CHtmlResourceSource> source)
    : m_decoder(decoder), m_pool(std::make_shared<HtmlFetchPool>())
{
    m_pool->host = host;
    m_pool->source = std::move(source);
}

CHtmlImageList::~CHtmlImageList()
{
    Cancel();
}

void CHtmlImageList::Cancel()
{
    std::lock_guard<std::mutex> lock(m_pool->mutex);
    m_pool->cancelled = true;
    m_pool->queue.clear();
    m_pool->host = nullptr;
    m_pool->changed.notify_all();
}

int CHtmlImageList::Find(const std::wstring& url, int background) const
{
    auto it = m_index.find((background ? L"1" : L"0") + url);
    return it == m_index.end() ? -1 : it->second;
}

int CHtmlImageList::Add(const std::wstring& url, int background)
{
    int found = Find(url, background);
    if (found >= 0)
        return found;
    int index = GetCount();
    m_images.emplace_back(new CHtmlImage(url, background ? 1 : 0, this));
    m_index[(background ? L"1" : L"0") + url] = index;

    std::lock_guard<std::mutex> lock(m_pool->mutex);
    if (m_pool->cancelled)
        return index;
    m_pool->queue.push_back(m_images.back()->m_job);
    ++m_pool->total;
    if (m_pool->threads < kHtmlMaxFetches) {
        ++m_pool->threads;
        try {
            std::thread(RunPoolThread, m_pool).detach();
        } catch (const std::system_error&) {
            // No thread now: the threads that run take the job.
            --m_pool->threads;
        }
    }
    return index;
}

CHtmlImage* CHtmlImageList::GetAt(int index) const
{
    return index < 0 || index >= GetCount() ? nullptr : m_images[static_cast<size_t>(index)].get();
}

void CHtmlImageList::FreeBitmaps()
{
    for (auto& image : m_images)
        image->FreeBitmap();
}

int CHtmlImageList::FinishedCount() const
{
    std::lock_guard<std::mutex> lock(m_pool->mutex);
    return m_pool->finished;
}

int CHtmlImageList::RunningFetches() const
{
    std::lock_guard<std::mutex> lock(m_pool->mutex);
    return m_pool->running;
}

int CHtmlImageList::PoolThreads() const
{
    std::lock_guard<std::mutex> lock(m_pool->mutex);
    return m_pool->threads;
}

const CHtmlBitmap* CHtmlImageList::Placeholder()
{
    if (m_placeholder == nullptr && m_decoder != nullptr)
        m_placeholder = m_decoder->CreatePlaceholder(kHtmlPlaceholderWidth, kHtmlPlaceholderHeight);
    return m_placeholder.get();
}
