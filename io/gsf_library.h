#pragma once

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-utils.h>

// libgsf, opened when a .xls book first needs it. Most books hold their workbook stream in one
// run of sectors and are read without it, so the programs do not load libgsf, and GLib and GIO
// behind it, at every start.

namespace shaftline::io {

/// The functions of libgsf and GLib the container reading calls.
struct GsfLibrary {
    decltype(&gsf_init) init;
    decltype(&gsf_input_memory_new) inputMemoryNew;
    decltype(&gsf_infile_msole_new) infileMsoleNew;
    decltype(&gsf_infile_num_children) infileNumChildren;
    decltype(&gsf_infile_name_by_index) infileNameByIndex;
    decltype(&gsf_infile_child_by_index) infileChildByIndex;
    decltype(&gsf_input_size) inputSize;
    decltype(&gsf_input_read) inputRead;
    decltype(&g_object_unref) objectUnref;
    decltype(&g_clear_error) clearError;
    decltype(&g_log_set_handler) logSetHandler;
    decltype(&g_log_remove_handler) logRemoveHandler;
};

/// libgsf opened (once, with gsf_init called) and its functions found. Throws CompoundFileError
/// when the library is missing or lacks one of them.
const GsfLibrary& Gsf();

}  // namespace shaftline::io
