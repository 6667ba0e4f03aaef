#include "win32/logos.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

namespace kest::win32 {

HBITMAP LoadLogo(HINSTANCE instance, uint16_t code) {
    HRSRC res = FindResourceW(instance, MAKEINTRESOURCEW(code), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!res) return nullptr;
    const DWORD size = SizeofResource(instance, res);
    const void* data = LockResource(LoadResource(instance, res));
    if (!data || size == 0) return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return nullptr;
    std::memcpy(GlobalLock(copy), data, size);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(copy, TRUE, &stream) != S_OK) {
        GlobalFree(copy);
        return nullptr;
    }
    IPicture* picture = nullptr;
    HBITMAP result = nullptr;
    if (OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture)) ==
        S_OK) {
        OLE_HANDLE handle = 0;
        if (picture->get_Handle(&handle) == S_OK)
            result = static_cast<HBITMAP>(CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)),
                                                    IMAGE_BITMAP, 0, 0, LR_COPYRETURNORG));
        picture->Release();
    }
    stream->Release();
    return result;
}

}  // namespace kest::win32
