#include "gsf_library.h"

#include <dlfcn.h>

#include <mutex>
#include <optional>
#include <string>

#include "compound_file.h"

namespace shaftline::io {

namespace {

// The handle's lookup also searches the libraries it depends on: GLib and GObject.
template <typename Function>
void Find(void* handle, const char* name, Function& function, std::string& missing) {
    function = reinterpret_cast<Function>(::dlsym(handle, name));
    if (function == nullptr) missing += std::string(missing.empty() ? "" : ", ") + name;
}

GsfLibrary Open() {
    void* handle = ::dlopen(SHAFTLINE_GSF_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = ::dlerror();
        throw CompoundFileError(
            std::string("библиотека чтения .xls " SHAFTLINE_GSF_LIBRARY " не загружена: ") +
            (reason != nullptr ? reason : "причина неизвестна"));
    }
    GsfLibrary gsf{};
    std::string missing;
    Find(handle, "gsf_init", gsf.init, missing);
    Find(handle, "gsf_input_memory_new", gsf.inputMemoryNew, missing);
    Find(handle, "gsf_infile_msole_new", gsf.infileMsoleNew, missing);
    Find(handle, "gsf_infile_num_children", gsf.infileNumChildren, missing);
    Find(handle, "gsf_infile_name_by_index", gsf.infileNameByIndex, missing);
    Find(handle, "gsf_infile_child_by_index", gsf.infileChildByIndex, missing);
    Find(handle, "gsf_input_size", gsf.inputSize, missing);
    Find(handle, "gsf_input_read", gsf.inputRead, missing);
    Find(handle, "g_object_unref", gsf.objectUnref, missing);
    Find(handle, "g_clear_error", gsf.clearError, missing);
    Find(handle, "g_log_set_handler", gsf.logSetHandler, missing);
    Find(handle, "g_log_remove_handler", gsf.logRemoveHandler, missing);
    if (!missing.empty()) {
        throw CompoundFileError("в библиотеке чтения .xls " SHAFTLINE_GSF_LIBRARY " нет " +
                                missing);
    }
    gsf.init();
    return gsf;
}

}  // namespace

// Opened once and kept to the end of the process: GLib's types cannot be unregistered.
const GsfLibrary& Gsf() {
    static std::mutex mutex;
    static std::optional<GsfLibrary> gsf;
    const std::lock_guard lock(mutex);
    if (!gsf) gsf = Open();
    return *gsf;
}

}  // namespace shaftline::io
