// Publication pages drawn with cairo: the drawing is recorded, then played onto a PDF, SVG or
// EPS page of the size of what was drawn.
#include "HYX/CairoVector.h"

#include "HYX/Hyx.h"
#include "HYX/LineScan.h"
#include "HYX/OutputFile.h"

#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <cctype>
#include <cstdio>
#include <string>

namespace HYX {

namespace {

cairo_status_t writeBytes(void* closure, const unsigned char* data, unsigned int len) {
    auto* f = static_cast<OutputFile*>(closure);
    return f->write(data, 1, static_cast<int>(len)) == static_cast<int>(len)
               ? CAIRO_STATUS_SUCCESS
               : CAIRO_STATUS_WRITE_ERROR;
}

bool inchesAllowed(float v) { return v > 0 && v <= CairoVector::MAX_INCHES; }

} // namespace

CairoVector::CairoVector(Format f) : CairoDevice(f == PNG || f == GIF ? PDF : f, "CairoVector") {
    init();
}

int CairoVector::setOption(const char* item) {
    float w = 0, h = 0;
    const bool sz = LineScan::istartsWith(item, "sz=");
    if (pageInches(item, w, h)) {
        // a named page
    } else if (sz || std::isdigit(static_cast<unsigned char>(item[0]))) {
        LineScan size(LineScan::from(item, 3));
        const bool ok = sz ? size.pair(':', w, h) && size.atEnd() : parseSize(item, w, h);
        if (!ok || !inchesAllowed(w) || !inchesAllowed(h)) {
            paramError("\"%s\" is not a page size in inches above 0 and up to 200", item);
            return -1;
        }
    } else {
        return 0;
    }
    width = w * 72.0f;
    height = h * 72.0f;
    return 1;
}

cairo_surface_t* CairoVector::makeSurface() {
    return cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
}

bool CairoVector::writePicture(cairo_surface_t* drawing) {
    // The recording tells where the drawing lies; the kept steps draw it again onto a page
    // of that size (cairo plays recordings onto PDF pages imperfectly).
    double ix = 0, iy = 0, iw = 0, ih = 0;
    cairo_recording_surface_ink_extents(drawing, &ix, &iy, &iw, &ih);
    double x0 = 0, y0 = 0, w = width, h = height;
    if (iw > 0 && ih > 0) {
        x0 = ix - MARGIN;
        y0 = iy - MARGIN;
        w = iw + 2 * MARGIN;
        h = ih + 2 * MARGIN;
    }
    cairo_surface_t* page = nullptr;
    const std::string doc_title = std::string("HYX Graphics Display: ") + title;
    if (format == SVG) {
        page = cairo_svg_surface_create_for_stream(writeBytes, &file, w, h);
    } else if (format == EPS) {
        page = cairo_ps_surface_create_for_stream(writeBytes, &file, w, h);
        cairo_ps_surface_set_eps(page, 1);
        cairo_ps_surface_dsc_comment(page, ("%%Title: " + doc_title).c_str());
    } else {
        page = cairo_pdf_surface_create_for_stream(writeBytes, &file, w, h);
        cairo_pdf_surface_set_metadata(page, CAIRO_PDF_METADATA_TITLE, doc_title.c_str());
        cairo_pdf_surface_set_metadata(page, CAIRO_PDF_METADATA_CREATOR,
                                       (std::string("HYX ") + Hyx::getVersion()).c_str());
    }
    cairo_t* c = cairo_create(page);
    if (format == SVG) {
        // Paper, where a web page would show its own background through the picture.
        cairo_set_source_rgb(c, 1, 1, 1);
        cairo_paint(c);
    }
    cairo_translate(c, -x0, -y0);
    replay(c);
    cairo_show_page(c);
    const bool drawn = cairo_status(c) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(c);
    cairo_surface_finish(page);
    const bool ok = drawn && cairo_surface_status(page) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(page);
    return ok;
}

} // namespace HYX
