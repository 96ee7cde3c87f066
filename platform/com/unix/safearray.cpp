// SAFEARRAY of fixed-size elements (bytes, numbers); enough for image buffers.
#include "../com.h"

#include <cstdlib>
#include <cstring>

namespace {
ULONG ElementSize(VARTYPE vt) {
    switch (vt) {
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_R4: case VT_INT: case VT_UINT: case VT_ERROR: return 4;
    case VT_I8: case VT_UI8: case VT_R8: case VT_DATE: case VT_CY: return 8;
    default: return 0;
    }
}

size_t ElementCount(const SAFEARRAY* a) {
    size_t n = 1;
    for (USHORT d = 0; d < a->cDims; ++d)
        n *= a->rgsabound[d].cElements;
    return n;
}

// The element type is kept in the four bytes before the descriptor, as Windows does.
struct Block {
    VARTYPE vt;
    SAFEARRAY array;
};
Block* BlockOf(SAFEARRAY* a) {
    return reinterpret_cast<Block*>(reinterpret_cast<char*>(a) - offsetof(Block, array));
}
} // namespace

extern "C" SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND* bounds) {
    const ULONG size = ElementSize(vt);
    if (!size || dims == 0 || !bounds)
        return nullptr;
    const size_t bytes = offsetof(Block, array) + sizeof(SAFEARRAY) + (dims - 1) * sizeof(SAFEARRAYBOUND);
    auto* block = static_cast<Block*>(std::calloc(1, bytes));
    if (!block)
        return nullptr;
    block->vt = vt;
    SAFEARRAY* a = &block->array;
    a->cDims = static_cast<USHORT>(dims);
    a->fFeatures = FADF_HAVEVARTYPE;
    a->cbElements = size;
    // Windows stores the bounds last dimension first.
    for (UINT d = 0; d < dims; ++d)
        a->rgsabound[d] = bounds[dims - 1 - d];
    const size_t count = ElementCount(a);
    if (count > (size_t(1) << 31) / size) {
        std::free(block);
        return nullptr;
    }
    a->pvData = std::calloc(count ? count : 1, size);
    if (!a->pvData) {
        std::free(block);
        return nullptr;
    }
    return a;
}

extern "C" SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG elements) {
    SAFEARRAYBOUND bound{elements, lowerBound};
    return SafeArrayCreate(vt, 1, &bound);
}

extern "C" HRESULT SafeArrayDestroy(SAFEARRAY* a) {
    if (!a)
        return S_OK;
    if (a->cLocks)
        return E_UNEXPECTED; // DISP_E_ARRAYISLOCKED on Windows
    std::free(a->pvData);
    std::free(BlockOf(a));
    return S_OK;
}

extern "C" HRESULT SafeArrayAccessData(SAFEARRAY* a, void** data) {
    if (!a || !data)
        return E_INVALIDARG;
    ++a->cLocks;
    *data = a->pvData;
    return S_OK;
}

extern "C" HRESULT SafeArrayUnaccessData(SAFEARRAY* a) {
    if (!a || !a->cLocks)
        return E_UNEXPECTED;
    --a->cLocks;
    return S_OK;
}

extern "C" HRESULT SafeArrayGetLBound(SAFEARRAY* a, UINT dim, LONG* bound) {
    if (!a || !bound || dim < 1 || dim > a->cDims)
        return DISP_E_BADINDEX;
    *bound = a->rgsabound[a->cDims - dim].lLbound;
    return S_OK;
}

extern "C" HRESULT SafeArrayGetUBound(SAFEARRAY* a, UINT dim, LONG* bound) {
    if (!a || !bound || dim < 1 || dim > a->cDims)
        return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& b = a->rgsabound[a->cDims - dim];
    *bound = b.lLbound + static_cast<LONG>(b.cElements) - 1;
    return S_OK;
}

extern "C" UINT SafeArrayGetDim(SAFEARRAY* a) { return a ? a->cDims : 0; }
extern "C" UINT SafeArrayGetElemsize(SAFEARRAY* a) { return a ? a->cbElements : 0; }

extern "C" HRESULT SafeArrayGetVartype(SAFEARRAY* a, VARTYPE* vt) {
    if (!a || !vt)
        return E_INVALIDARG;
    *vt = BlockOf(a)->vt;
    return S_OK;
}

extern "C" HRESULT SafeArrayCopy(SAFEARRAY* src, SAFEARRAY** dst) {
    if (!src || !dst)
        return E_INVALIDARG;
    SAFEARRAYBOUND bounds[8];
    if (src->cDims > 8)
        return E_INVALIDARG;
    for (USHORT d = 0; d < src->cDims; ++d)
        bounds[d] = src->rgsabound[src->cDims - 1 - d];
    SAFEARRAY* copy = SafeArrayCreate(BlockOf(src)->vt, src->cDims, bounds);
    if (!copy)
        return E_OUTOFMEMORY;
    std::memcpy(copy->pvData, src->pvData, ElementCount(src) * src->cbElements);
    *dst = copy;
    return S_OK;
}
