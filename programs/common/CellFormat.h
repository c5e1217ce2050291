#pragma once

// How a cell is drawn: the formatting the exercises teach and check.
enum class NumberFormat { General, Fixed2, Percent, Money };
enum class HorizontalAlign { Auto, Left, Center, Right };

struct CellFormat
{
    bool bold = false;
    bool italic = false;
    HorizontalAlign align = HorizontalAlign::Auto;
    NumberFormat numberFormat = NumberFormat::General;

    friend bool operator==(const CellFormat &, const CellFormat &) = default;
};
