#include "app/ProgressBarSink.h"

#include <QProgressBar>

namespace quarvel {

void ProgressBarSink::SetMaximum(int maximum)
{
    bar_->setMaximum(maximum);
}

void ProgressBarSink::SetPosition(int position)
{
    bar_->setValue(position);
}

} // namespace quarvel
