#include "tests/support/AllocationMeter.h"

#include <cstdlib>
#include <new>

namespace morvick::test {

namespace {

// The meter of this thread; meters nest, the innermost counts.
thread_local AllocationMeter* t_meter = nullptr;

void* Allocate(std::size_t size)
{
    if (t_meter != nullptr && !t_meter->Take(size))
        throw std::bad_alloc();
    if (void* p = std::malloc(size != 0 ? size : 1))
        return p;
    throw std::bad_alloc();
}

}  // namespace

AllocationMeter::AllocationMeter(uint64_t ceiling) : m_ceiling(ceiling), m_outer(t_meter)
{
    t_meter = this;
}

AllocationMeter::~AllocationMeter()
{
    t_meter = m_outer;
}

bool AllocationMeter::Take(size_t size)
{
    m_bytes += size;
    if (size > m_largest)
        m_largest = size;
    if (size <= m_ceiling && !m_refuseNext)
        return true;
    m_refuseNext = false;
    ++m_refused;
    return false;
}

}  // namespace morvick::test

void* operator new(std::size_t size)
{
    return morvick::test::Allocate(size);
}
void* operator new[](std::size_t size)
{
    return morvick::test::Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return morvick::test::Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new(size, tag);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
