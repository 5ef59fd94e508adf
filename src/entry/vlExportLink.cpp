// The shared library's own translation unit: the exported function itself
// lives in the static library, which is linked in whole.
