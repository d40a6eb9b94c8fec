#include "review/FolderRunList.h"

#include "run/RunCatalog.h"
#include "run/RunNames.h"

#include <QFileInfo>
#include <QHeaderView>

#include <utility>

namespace {

enum Column { Start,
              Name,
              Length,
              Interval,
              Samples,
              Lowest,
              Highest };

QString IntervalText(RunInterval interval)
{
    switch (interval) {
    case RunInterval::Minute:
        return QStringLiteral("1分");
    case RunInterval::Tenth:
        return QStringLiteral("0.1秒");
    case RunInterval::Unknown:
        break;
    }
    return QStringLiteral("-");
}

QString TemperatureText(const std::optional<float>& value)
{
    return value ? QString::number(*value, 'f', 1) + QStringLiteral("℃") : QStringLiteral("-");
}

// "1:05:30" for a length in milliseconds; "12:30" under an hour.
QString DurationText(qint64 ms)
{
    const qint64 seconds = ms / 1000;
    const QString tail = QStringLiteral("%1:%2").arg(seconds / 60 % 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return seconds >= 3600 ? QStringLiteral("%1:%2").arg(seconds / 3600).arg(tail.rightJustified(5, QLatin1Char('0'))) : tail;
}

}   // namespace

FolderRunList::FolderRunList(QString folder, QWidget* parent)
    : QTreeWidget(parent)
    , m_folder(std::move(folder))
{
    setRootIsDecorated(false);
    setAlternatingRowColors(true);
    setUniformRowHeights(true);
    setHeaderLabels({QStringLiteral("日付と開始"), QStringLiteral("名前"), QStringLiteral("長さ"), QStringLiteral("間隔"),
                     QStringLiteral("数"), QStringLiteral("最低"), QStringLiteral("最高")});
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Numbers stay beside their heading instead of at the far edge of a wide list.
    header()->setStretchLastSection(false);
    connect(this, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { emit openRequested(item->data(Start, Qt::UserRole).toString()); });
}

void FolderRunList::refresh()
{
    clear();
    for (const RunSummary& run : ListRuns(m_folder)) {
        auto* item = new QTreeWidgetItem(this);
        item->setData(Start, Qt::UserRole, run.path);
        item->setText(Start, run.start.isValid() ? run.start.toString(QStringLiteral("yyyy/MM/dd HH:mm")) : QFileInfo(run.path).fileName());
        item->setToolTip(Start, run.path);
        if (run.error) {
            item->setText(Name, run.error->text());
            item->setForeground(Name, palette().color(QPalette::Disabled, QPalette::Text));
            continue;
        }
        item->setText(Name, RunName(run.path));
        item->setText(Length, DurationText(run.durationMs));
        item->setText(Interval, IntervalText(run.interval));
        item->setText(Samples, QString::number(run.sampleCount));
        item->setText(Lowest, TemperatureText(run.lowestTemperature));
        item->setText(Highest, TemperatureText(run.highestTemperature));
        for (int c : {Length, Samples, Lowest, Highest})
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (topLevelItemCount() > 0)
        setCurrentItem(topLevelItem(0));
}
