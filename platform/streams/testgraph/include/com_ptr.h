// Owns one reference on a COM interface; for tests and tools.
#pragma once

#include "unknwn.h"

#include <utility>

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    static ComPtr Adopt(T* raw)
    {
        ComPtr p;
        p.m_raw = raw;
        return p;
    }
    // Adds a reference of its own.
    explicit ComPtr(T* raw) : m_raw(raw)
    {
        if (m_raw) m_raw->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.m_raw) {}
    ComPtr(ComPtr&& other) noexcept : m_raw(std::exchange(other.m_raw, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(m_raw, other.m_raw);
        return *this;
    }
    ~ComPtr() { Reset(); }

    void Reset()
    {
        if (m_raw) std::exchange(m_raw, nullptr)->Release();
    }
    T* Get() const { return m_raw; }
    T* operator->() const { return m_raw; }
    explicit operator bool() const { return m_raw != nullptr; }
    // For out-parameters: releases what is held first.
    T** Out()
    {
        Reset();
        return &m_raw;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }

    template <typename U>
    ComPtr<U> As(REFIID riid) const
    {
        ComPtr<U> result;
        if (m_raw) m_raw->QueryInterface(riid, result.OutVoid());
        return result;
    }

private:
    T* m_raw = nullptr;
};
