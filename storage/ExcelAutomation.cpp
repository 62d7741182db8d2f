#include "storage/ExcelAutomation.h"

#include "storage/ExcelWorkbookFile.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace ExcelDetail {

struct Workbook
{
    std::unique_ptr<ExcelWorkbookFile> file; // null once closed
    QString name;

    const ExcelWorkbookFile& openFile() const
    {
        if (!file)
            throw ExcelAutomationError(QStringLiteral("книга «%1» уже закрыта.").arg(name));
        return *file;
    }
};

struct Application
{
    std::shared_ptr<std::function<void(ExcelCall)>> observer;
    bool ended = false;
    std::vector<std::shared_ptr<Workbook>> workbooks; // the open ones; the last is active

    void notify(ExcelCall call) const
    {
        if (observer && *observer)
            (*observer)(call);
    }
    void ensureRunning() const
    {
        if (ended)
            throw ExcelAutomationError(QStringLiteral("объект Excel уже завершён."));
    }
    void closeAll()
    {
        for (const std::shared_ptr<Workbook>& workbook : workbooks)
            workbook->file.reset();
        workbooks.clear();
    }
    void end()
    {
        closeAll();
        ended = true;
    }
};

struct Sheet
{
    std::shared_ptr<Application> application;
    std::shared_ptr<Workbook> workbook;
    int index = 0;
    QString name;
    std::optional<ExcelUsedRange> usedRange; // read on first use

    const ExcelUsedRange& range()
    {
        application->ensureRunning();
        const ExcelWorkbookFile& file = workbook->openFile();
        if (!usedRange)
            usedRange = file.usedRange(index);
        return *usedRange;
    }
};

} // namespace ExcelDetail

using namespace ExcelDetail;

QString excelCallName(ExcelCall call)
{
    switch (call) {
    case ExcelCall::Create:
        return QStringLiteral("Create");
    case ExcelCall::WorkbooksOpen:
        return QStringLiteral("Workbooks.Open");
    case ExcelCall::ActiveSheet:
        return QStringLiteral("ActiveWorkbook.ActiveSheet");
    case ExcelCall::RowsCount:
        return QStringLiteral("UsedRange.Rows.Count");
    case ExcelCall::Value:
        return QStringLiteral("UsedRange.Value");
    case ExcelCall::WorkbooksClose:
        return QStringLiteral("Workbooks.Close");
    case ExcelCall::Quit:
        return QStringLiteral("Quit");
    case ExcelCall::Empty:
        return QStringLiteral("Empty");
    }
    return QString();
}

int ExcelRows::Count() const
{
    m_sheet->application->notify(ExcelCall::RowsCount);
    return m_sheet->range().values.rowCount();
}

ExcelRows ExcelRange::Rows() const
{
    return ExcelRows(m_sheet);
}

ExcelValueArray ExcelRange::Value() const
{
    m_sheet->application->notify(ExcelCall::Value);
    return m_sheet->range().values;
}

int ExcelRange::Row() const
{
    return m_sheet->range().firstRow + 1;
}

int ExcelRange::Column() const
{
    return m_sheet->range().firstColumn + 1;
}

ExcelRange ExcelSheet::UsedRange() const
{
    m_sheet->range(); // reads the cells now, as Excel answers UsedRange at once
    return ExcelRange(m_sheet);
}

QString ExcelSheet::Name() const
{
    return m_sheet->name;
}

int ExcelSheet::Index() const
{
    return m_sheet->index + 1;
}

QList<ExcelCellAddress> ExcelSheet::FormulaCells() const
{
    m_sheet->application->ensureRunning();
    QList<ExcelCellAddress> cells;
    for (const ExcelWorkbookFile::Cell& cell :
         m_sheet->workbook->openFile().formulaCells(m_sheet->index))
        cells.append({cell.row + 1, cell.column + 1});
    std::sort(cells.begin(), cells.end(), [](const ExcelCellAddress& a, const ExcelCellAddress& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    return cells;
}

ExcelWorkbook::ExcelWorkbook(std::shared_ptr<Application> application,
                             std::shared_ptr<Workbook> workbook)
    : m_application(std::move(application)), m_workbook(std::move(workbook))
{
}

ExcelSheet ExcelWorkbook::ActiveSheet() const
{
    m_application->notify(ExcelCall::ActiveSheet);
    m_application->ensureRunning();
    const ExcelWorkbookFile& file = m_workbook->openFile();
    auto sheet = std::make_shared<Sheet>();
    sheet->application = m_application;
    sheet->workbook = m_workbook;
    sheet->index = file.activeSheet();
    sheet->name = file.sheetNames().value(sheet->index);
    return ExcelSheet(sheet);
}

void ExcelWorkbooks::Open(const QString& fullName) const
{
    m_application->notify(ExcelCall::WorkbooksOpen);
    m_application->ensureRunning();
    auto workbook = std::make_shared<Workbook>();
    workbook->file = std::make_unique<ExcelWorkbookFile>(fullName);
    workbook->name = workbook->file->fileName();
    m_application->workbooks.push_back(workbook);
}

void ExcelWorkbooks::Close() const
{
    m_application->notify(ExcelCall::WorkbooksClose);
    m_application->ensureRunning();
    m_application->closeAll();
}

ExcelWorkbooks ExcelApplicationObject::Workbooks() const
{
    m_application->ensureRunning();
    return ExcelWorkbooks(m_application);
}

ExcelWorkbook ExcelApplicationObject::ActiveWorkbook() const
{
    m_application->ensureRunning();
    if (m_application->workbooks.empty())
        throw ExcelAutomationError(QStringLiteral("ни одна книга не открыта."));
    return ExcelWorkbook(m_application, m_application->workbooks.back());
}

void ExcelApplicationObject::Quit() const
{
    m_application->notify(ExcelCall::Quit);
    m_application->ensureRunning();
    m_application->end();
}

ExcelApplicationHolder ExcelApplication;

ExcelApplicationHolder::ExcelApplicationHolder()
    : m_observer(std::make_shared<std::function<void(ExcelCall)>>())
{
}

ExcelApplicationHolder::~ExcelApplicationHolder() = default;

void ExcelApplicationHolder::create()
{
    if (m_application)
        m_application->end();
    m_application = std::make_shared<Application>();
    m_application->observer = m_observer;
    m_object.reset(new ExcelApplicationObject(m_application));
    m_application->notify(ExcelCall::Create);
}

void ExcelApplicationHolder::clear()
{
    const std::shared_ptr<Application> released = std::move(m_application);
    m_object.reset();
    if (released) {
        released->end();
        released->notify(ExcelCall::Empty);
    }
}

bool ExcelApplicationHolder::isEmpty() const
{
    return !m_application;
}

const ExcelApplicationObject* ExcelApplicationHolder::operator->() const
{
    if (!m_object)
        throw ExcelAutomationError(QStringLiteral("объект Excel не создан."));
    return m_object.get();
}

void ExcelApplicationHolder::setCallObserver(std::function<void(ExcelCall)> observer)
{
    *m_observer = std::move(observer);
}

ExcelSession::ExcelSession(ExcelApplicationHolder& holder) : m_holder(holder)
{
    m_holder.create();
    m_application = m_holder.m_application;
}

ExcelSession::~ExcelSession()
{
    const std::shared_ptr<Application> application = m_application.lock();
    if (!application || m_holder.m_application != application)
        return; // emptied by the reader, or already holding another reader's object
    // Only an observer could throw here; the holder is emptied whatever it does.
    try {
        if (!application->ended) {
            if (!application->workbooks.empty())
                m_holder->Workbooks().Close();
            m_holder->Quit();
        }
    } catch (...) {
    }
    try {
        m_holder.clear();
    } catch (...) {
    }
}
