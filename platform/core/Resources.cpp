// Resource lookup in the embedded tables: raw resources, strings, bitmaps, icons and cursors.
#include <algorithm>
#include <cstring>

#include "platform/WinGdi.h"
#include "platform/WinUser.h"
#include "platform/core/DibDecoder.h"
#include "platform/core/PlatformState.h"
#include "platform/core/ResourceModule.h"

namespace veskar::platform {
namespace {

HINSTANCE& programModule() {
    static HINSTANCE__ empty;
    static HINSTANCE module = &empty;
    return module;
}

bool typeMatches(const HRSRC__& resource, LPCSTR type) {
    if (IS_INTRESOURCE(type)) {
        return resource.typeName == nullptr && resource.typeId == LOWORD(reinterpret_cast<UINT_PTR>(type));
    }
    return resource.typeName != nullptr && std::strcmp(resource.typeName, type) == 0;
}

}  // namespace

void setProgramModule(HINSTANCE module) {
    programModule() = module;
}

const HRSRC__* findResource(HINSTANCE module, LPCSTR name, LPCSTR type) {
    if (module == nullptr) {
        module = programModule();
    }
    if (!IS_INTRESOURCE(name) || type == nullptr) {
        return nullptr;  // every resource of the program is numbered
    }
    const WORD id = LOWORD(reinterpret_cast<UINT_PTR>(name));
    const auto found = std::find_if(
        module->resources.begin(), module->resources.end(),
        [&](const HRSRC__& resource) { return resource.id == id && typeMatches(resource, type); });
    return found == module->resources.end() ? nullptr : &*found;
}

}  // namespace veskar::platform

using veskar::platform::findResource;

HMODULE GetModuleHandleA(LPCSTR moduleName) {
    return moduleName == nullptr ? veskar::platform::programModule() : nullptr;
}

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    return const_cast<HRSRC>(findResource(module, name, type));
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    return resource == nullptr ? nullptr : &resource->data;
}

LPVOID LockResource(HGLOBAL data) {
    return data == nullptr ? nullptr : const_cast<std::uint8_t*>(data->bytes);
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    return resource == nullptr ? 0 : static_cast<DWORD>(resource->data.size);
}

BOOL FreeResource(HGLOBAL) {
    return FALSE;
}

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return 0;
    }
    buffer[0] = '\0';
    HINSTANCE module = instance == nullptr ? GetModuleHandleA(nullptr) : instance;
    for (const auto& entry : module->strings) {
        if (entry.id == id && entry.text != nullptr) {
            const std::size_t length = std::min(std::strlen(entry.text), static_cast<std::size_t>(size - 1));
            std::memcpy(buffer, entry.text, length);
            buffer[length] = '\0';
            return static_cast<int>(length);
        }
    }
    return 0;
}

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    const HRSRC__* resource = findResource(instance, name, RT_BITMAP);
    veskar::platform::DecodedImage image;
    if (resource == nullptr ||
        !decodeDib({resource->data.bytes, resource->data.size}, veskar::platform::DibLayout::Bitmap, image)) {
        return nullptr;
    }
    HBITMAP bitmap = veskar::platform::state().gdi.addBitmap(image.width, image.height);
    bitmap->pixels = std::move(image.pixels);
    return bitmap;
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    static HICON__ applicationIcon;
    if (instance == nullptr) {
        return name == IDI_APPLICATION ? &applicationIcon : nullptr;
    }
    // Decoded icons live as long as the process, like the module they come from.
    static std::vector<std::unique_ptr<HICON__>> loaded;
    const HRSRC__* resource = findResource(instance, name, RT_GROUP_ICON);
    veskar::platform::DecodedImage image;
    if (resource == nullptr || !decodeIconFile({resource->data.bytes, resource->data.size}, image)) {
        return nullptr;
    }
    loaded.push_back(std::make_unique<HICON__>(HICON__{image.width, image.height, std::move(image.pixels)}));
    return loaded.back().get();
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    static HCURSOR__ arrow;
    return instance == nullptr && name == IDC_ARROW ? &arrow : nullptr;
}
