// Object base for COM classes: reference counting, aggregation through a
// non-delegating unknown, and a per-module count of live objects that
// DllCanUnloadNow consults.
#pragma once

#include "unknwn.h"

#include <atomic>

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

// The unknown an aggregating outer object holds: its calls never delegate.
struct INonDelegatingUnknown {
    STDMETHOD(NonDelegatingQueryInterface)(REFIID riid, void** ppv) PURE;
    STDMETHOD_(ULONG, NonDelegatingAddRef)() PURE;
    STDMETHOD_(ULONG, NonDelegatingRelease)() PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// Counts the objects alive in this module. Each binary links its own copy
// of the counter (a module keeps it private), so a module's DllCanUnloadNow
// sees only its own objects.
class CBaseObject {
public:
    explicit CBaseObject(const char* name);
    CBaseObject(const CBaseObject&) = delete;
    CBaseObject& operator=(const CBaseObject&) = delete;
    virtual ~CBaseObject();

    static LONG ObjectsActive();
    const char* Name() const { return m_name; }

private:
    const char* m_name;
};

class CUnknown : public INonDelegatingUnknown, public CBaseObject {
public:
    // `outer` is the controlling unknown when aggregated, else null.
    CUnknown(const char* name, IUnknown* outer);
    ~CUnknown() override;

    // The unknown every interface of this object delegates to.
    IUnknown* GetOwner() const { return m_owner; }
    // The non-delegating unknown handed to an aggregating outer object.
    IUnknown* GetInner() { return &m_inner; }

    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) NonDelegatingAddRef() override;
    STDMETHODIMP_(ULONG) NonDelegatingRelease() override;

protected:
    LONG RefCount() const { return m_ref.load(); }

private:
    // An IUnknown that forwards to the non-delegating methods, so the object
    // can hand out a real IUnknown without aliasing vtables.
    struct Inner final : IUnknown {
        explicit Inner(CUnknown* self) : self(self) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
        {
            return self->NonDelegatingQueryInterface(riid, ppv);
        }
        STDMETHODIMP_(ULONG) AddRef() override { return self->NonDelegatingAddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return self->NonDelegatingRelease(); }
        CUnknown* self;
    };

    Inner m_inner;
    IUnknown* m_owner;
    std::atomic<LONG> m_ref{0};
};

// Hands out `unknown` through `ppv` with a reference added.
HRESULT GetInterface(IUnknown* unknown, void** ppv);

// Implements the three IUnknown methods of every interface of a CUnknown
// subclass by delegating to its owner.
#define DECLARE_IUNKNOWN                                                                                     \
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return GetOwner()->QueryInterface(riid, ppv); } \
    STDMETHODIMP_(ULONG) AddRef() override { return GetOwner()->AddRef(); }                                \
    STDMETHODIMP_(ULONG) Release() override { return GetOwner()->Release(); }

LONG InterlockedIncrement(volatile LONG* value);
LONG InterlockedDecrement(volatile LONG* value);
