// Marks what the library exports. The library is built with hidden visibility, so only
// the classes marked here are seen by programs linking it; everything else stays inside.
#ifndef HYX_EXPORT_H
#define HYX_EXPORT_H

#define HYX_API __attribute__((visibility("default")))

#endif
