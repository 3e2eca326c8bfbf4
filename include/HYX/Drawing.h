// Everything a figure can draw: a drawing chooses its data for a frame (by date or by
// forecast time), reports how the frames should run, and draws itself onto a plot. The
// defaults describe a drawing without data of its own that takes no part in choosing frames.
#ifndef HYX_DRAWING_H
#define HYX_DRAWING_H

#include "HYX/Export.h"

namespace HYX {

class Date;
class Domain;
class Plot;

class HYX_API Drawing {
public:
    // Values of getLoopType.
    enum LoopType { NO_LOOP = 0, DATE_LOOP = 1, FORE_LOOP = 2 };

    virtual ~Drawing();

    virtual int init();
    virtual int getDomain(Domain& d);
    virtual int setFile();
    virtual int setInput(const char* input);
    virtual int setNameConv(const char* name);
    // Chooses the data file by the drawing's own defaults.
    virtual int setFilename();
    virtual int setFilename(const char* file);
    virtual int setFilename(Date& d);
    // Selects the data for date d; 0 when there are none for it.
    virtual int setFilename(Date& d, const char* file);
    // Selects the data for forecast time t; 0 when there are none.
    virtual int setForeTime(const char* t);
    virtual int setParam(const char* param);
    // The date of the data selected last; 0 (d unchanged) when there is none.
    virtual int getDate(Date& d);
    virtual int getLoopType();
    virtual int getInitDate(Date& d);
    // Seconds between frames; -1 when the drawing has no preference.
    virtual int getDateOffset();
    virtual int getNumFrames();
    // Nonzero for the drawing that decides the frames.
    virtual int getSync();
    virtual int draw(Plot& plot) = 0;
    virtual int print();
};

} // namespace HYX

#endif
