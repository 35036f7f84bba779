#pragma once

#include "ExportDescription.h"
#include "common/RecordCodec.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <initializer_list>

// An archive seen as an export grid and its worksheet: the file and sheet names,
// the size of the stored records and the grid's columns with the place of each
// cell in a record. Everything that tells one export from its twin is here, as
// data.
//
// Column 0 of the grid is always the record's 1-based position, shown and not
// exported; every other column is exported, in order.
struct ExportSheet
{
    struct Column
    {
        QString name;         // col<Field>
        QString gridHeader;
        int gridWidth = 0;
        bool editable = false; // the user may type over the cell before exporting
        QString exportHeader;
        int exportWidth = 0;
        // The record field the cell shows, trimmed.
        RecordCodec::FieldSlot field;
        // Where the cell is not the field as stored but made from it (the type of
        // a movement from its income flag): the cell's bytes for the field's
        // trimmed bytes. nullptr shows the field itself.
        QByteArrayView (*derive)(QByteArrayView field) = nullptr;
        ExportColumn::Kind kind = ExportColumn::Kind::Text;
    };

    QString fileName;
    QString sheetName;
    int recordSize = 0;
    QList<Column> columns;

    // One line of an export's column table, as the twins write it: the field as a
    // member of the record (nullptr for the record number).
    template <typename Record>
    struct Row
    {
        const char *name;
        QString gridHeader;
        int gridWidth;
        bool editable;
        QString exportHeader;
        int exportWidth;
        QString Record::*field;
        QByteArrayView (*derive)(QByteArrayView) = nullptr;
        ExportColumn::Kind kind = ExportColumn::Kind::Text;
    };

    // The sheet of one archive from its column table.
    template <typename Record>
    static ExportSheet of(const QString &fileName, const QString &sheetName, std::initializer_list<Row<Record>> table)
    {
        ExportSheet sheet;
        sheet.fileName = fileName;
        sheet.sheetName = sheetName;
        sheet.recordSize = Record::Size;
        for (const Row<Record> &r : table) {
            Column c;
            c.name = QString::fromLatin1(r.name);
            c.gridHeader = r.gridHeader;
            c.gridWidth = r.gridWidth;
            c.editable = r.editable;
            c.exportHeader = r.exportHeader;
            c.exportWidth = r.exportWidth;
            if (r.field)
                c.field = RecordCodec::slotOf<Record>(r.field);
            c.derive = r.derive;
            c.kind = r.kind;
            sheet.columns.append(c);
        }
        return sheet;
    }

    // The index of a grid column by name; -1 if there is none.
    int columnIndex(const QString &name) const;
    // The worksheet's columns: the grid's from column 1 on.
    QList<ExportColumn> exportColumns() const;
    // The export of the sheet's columns with rows given as texts, column 1 first.
    ExportDescription description(const QList<QStringList> &rows) const;
};
