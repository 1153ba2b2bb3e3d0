// quillbook --help.
#pragma once

// The help text, code page 932 like every literal here.
extern const char kUsage[];
