#include "mobiledevicetables_p.h"

// Model identifiers and the names and icons of the models they stand for. Icons are given without the
// "com.apple." prefix and ".icns" extension that every stored icon file name has.

namespace olvane {

const std::vector<ModelRow> &phoneTable()
{
    static const std::vector<ModelRow> s_rows {
        { "iPhone1,1", "iPhone", "iPhone", nullptr },
        { "iPhone1,2", "iPhone 3G", "iPhone 3", "iphone-3g" },
        { "iPhone2,1", "iPhone 3GS", "iPhone 3", "iphone-3g" },
        { "iPhone3,1", "iPhone 4", "iPhone 4", "iphone-4-black" },
        { "iPhone3,2", "iPhone 4 GSM Rev A", "iPhone 4", "iphone-4-black" },
        { "iPhone3,3", "iPhone 4 CDMA", "iPhone 4", "iphone-4-black" },
        { "iPhone4,1", "iPhone 4S", "4S", "iphone-4-black" },
        { "iPhone5,1", "iPhone 5 (GSM)", "iPhone 5", "iphone-5-black" },
        { "iPhone5,2", "iPhone 5 (GSM+CDMA)", "iPhone 5", "iphone-4-black" },
        { "iPhone5,3", "iPhone 5C (GSM)", "iPhone 5C", "iphone-5c-f5f4f7" },
        { "iPhone5,4", "iPhone 5C (Global)", "iPhone 5C", "iphone-5c-f5f4f7" },
        { "iPhone6,1", "iPhone 5S (GSM)", "iPhone 5S", "iphone-5s-99989b" },
        { "iPhone6,2", "iPhone 5S (Global)", "iPhone 5S", "iphone-5s-99989b" },
        { "iPhone7,1", "iPhone 6 Plus", "iPhone 6+", "iphone-6-plus-b4b5b9" },
        { "iPhone7,2", "iPhone 6", "iPhone 6", "iphone-6-b4b5b9" },
        { "iPhone8,1", "iPhone 6s", "iPhone 6s", "iphone-6s-b9b7ba" },
        { "iPhone8,2", "iPhone 6s Plus", "iPhone 6s+", "iphone-6s-plus-b9b7ba" },
        { "iPhone8,4", "iPhone SE (GSM)", "iPhone SE", "iphone-se-aeb1b8" },
        { "iPhone9,1", "iPhone 7", "iPhone 7", "iphone-7-1" },
        { "iPhone9,2", "iPhone 7 Plus", "iPhone 7+", "iphone-7-plus-1" },
        { "iPhone9,3", "iPhone 7", "iPhone 7", "iphone-7-1" },
        { "iPhone9,4", "iPhone 7 Plus", "iPhone 7+", "iphone-7-plus-1" },
        { "iPhone10,1", "iPhone 8", "iPhone 8", "iphone-8-7" },
        { "iPhone10,2", "iPhone 8 Plus", "iPhone 8+", "iphone-8-plus-3" },
        { "iPhone10,3", "iPhone X Global", "iPhone X", "iphone-x-1" },
        { "iPhone10,4", "iPhone 8", "iPhone 8", "iphone-8-7" },
        { "iPhone10,5", "iPhone 8 Plus", "iPhone 8+", "iphone-8-plus-3" },
        { "iPhone10,6", "iPhone X GSM", "iPhone X", "iphone-x-1" },
        { "iPhone11,2", "iPhone XS", "iPhone XS", "iphone-xs-1" },
        { "iPhone11,4", "iPhone XS Max", "XS Max", "iphone-xs-max-1" },
        { "iPhone11,6", "iPhone XS Max Global", "XS Max", "iphone-xs-max-1" },
        { "iPhone11,8", "iPhone XR", "iPhone XR", "iphone-xr-1" },
        { "iPhone12,1", "iPhone 11", "iPhone 11", "iphone-11-1" },
        { "iPhone12,3", "iPhone 11 Pro", "11 Pro", "iphone-11-pro-1" },
        { "iPhone12,5", "iPhone 11 Pro Max", "11 Max", "iphone-11-pro-max-1" },
        { "iPhone12,8", "iPhone SE 2nd Gen", "iPhone SE", "iphone-se-2" },
        { "iPhone13,1", "iPhone 12 Mini", "12 Mini", "iphone-12-mini-1" },
        { "iPhone13,2", "iPhone 12", "iPhone 12", "iphone-12-1" },
        { "iPhone13,3", "iPhone 12 Pro", "12 Pro", "iphone-12-pro-1" },
        { "iPhone13,4", "iPhone 12 Pro Max", "12 Max", "iphone-12-pro-max-1" },
        { "iPhone14,2", "iPhone 13 Pro", "13 Pro", "iphone-12-pro-1" },
        { "iPhone14,3", "iPhone 13 Pro Max", "13 Max", "iphone-12-pro-max-1" },
        { "iPhone14,4", "iPhone 13 Mini", "13 Mini", "iphone-12-mini-1" },
        { "iPhone14,5", "iPhone 13", "iPhone 13", "iphone-12-1" },
        { "iPhone14,6", "iPhone SE 3rd Gen", "iPhone SE", "iphone-12-pro-1" },
        { "iPhone14,7", "iPhone 14", "iPhone 14", "iphone-14-pro-2" },
        { "iPhone14,8", "iPhone 14 Plus", "14 Plus", "iphone-14-pro-2" },
        { "iPhone15,2", "iPhone 14 Pro", "14 Pro", "iphone-14-pro-2" },
        { "iPhone15,3", "iPhone 14 Pro Max", "14 Pro Max", "iphone-14-pro-2" },
        { "iPhone15,4", "iPhone 15", "iPhone 15", "iphone-15-4" },
        { "iPhone15,5", "iPhone 15 Plus", "15 Plus", "iphone-15-4" },
        { "iPhone16,1", "iPhone 15 Pro", "15 Pro", "iphone-15-pro-2" },
        { "iPhone16,2", "iPhone 15 Pro Max", "15 Pro Max", "iphone-15-pro-2" },
    };
    return s_rows;
}

const std::vector<ModelRow> &iPodTable()
{
    static const std::vector<ModelRow> s_rows {
        { "iPod1,1", "1st Gen iPod", "iPod", "ipod-touch" },
        { "iPod2,1", "2nd Gen iPod", "iPod 2", "ipod-touch-2" },
        { "iPod3,1", "3rd Gen iPod", "iPod 3", "ipod-touch-2" },
        { "iPod4,1", "4th Gen iPod", "iPod 4", "ipod-touch-4-black" },
        { "iPod5,1", "5th Gen iPod", "iPod 5", "ipod-touch-5-sparrow" },
        { "iPod7,1", "6th Gen iPod", "iPod 6", "ipod-touch-6-6b6a6d" },
        { "iPod9,1", "7th Gen iPod", "iPod 7", "ipod-touch-7-5" },
    };
    return s_rows;
}

const std::vector<ModelRow> &tabletTable()
{
    static const std::vector<ModelRow> s_rows {
        { "iPad1,1", "iPad", "iPad", "ipad" },
        { "iPad1,2", "iPad", "iPad 3G", "ipad" },
        { "iPad2,1", "2nd Gen iPad", "iPad 2", "ipad-2-black" },
        { "iPad2,2", "2nd Gen iPad GSM", "iPad 2", "ipad-2-black" },
        { "iPad2,3", "2nd Gen iPad CDMA", "iPad 2", "ipad-2-black" },
        { "iPad2,4", "2nd Gen iPad New Revision", "iPad 2", "ipad-2-black" },
        { "iPad2,5", "iPad mini", "iPad", "ipad-mini-black-wifi" },
        { "iPad2,6", "iPad mini GSM+LTE", "iPad", "ipad-mini-black-3g" },
        { "iPad2,7", "iPad mini CDMA+LTE", "iPad", "ipad-mini-black-3g" },
        { "iPad3,1", "3rd Gen iPad", "iPad 3", "ipad-2-black" },
        { "iPad3,2", "3rd Gen iPad CDMA", "iPad 3", "ipad-2-black" },
        { "iPad3,3", "3rd Gen iPad GSM", "iPad 3", "ipad-2-black" },
        { "iPad3,4", "4th Gen iPad", "iPad 4", "ipad-2-black" },
        { "iPad3,5", "4th Gen iPad GSM+LTE", "iPad 4", "ipad-2-black" },
        { "iPad3,6", "4th Gen iPad CDMA+LTE", "iPad 4", "ipad-2-black" },
        { "iPad4,1", "iPad Air (WiFi)", "Air", "ipad-air-99989b" },
        { "iPad4,2", "iPad Air (GSM+CDMA)", "Air", "ipad-air-99989b" },
        { "iPad4,3", "1st Gen iPad Air (China)", "Air", "ipad-air-99989b" },
        { "iPad4,4", "iPad mini Retina (WiFi)", "Mini", "ipad-mini-black-3g" },
        { "iPad4,5", "iPad mini Retina (GSM+CDMA)", "Mini", "ipad-mini-black-3g" },
        { "iPad4,6", "iPad mini Retina (China)", "Mini", "ipad-mini-black-3g" },
        { "iPad4,7", "iPad mini 3 (WiFi)", "Mini", "ipad-mini3-wwan-b4b5b9" },
        { "iPad4,8", "iPad mini 3 (GSM+CDMA)", "Mini", "ipad-mini3-wwan-b4b5b9" },
        { "iPad4,9", "iPad Mini 3 (China)", "Mini", "ipad-mini3-wwan-b4b5b9" },
        { "iPad5,1", "iPad mini 4 (WiFi)", "Mini", "ipad-mini4-wifi-b4b5b9" },
        { "iPad5,2", "4th Gen iPad mini (WiFi+Cellular)", "Mini", "ipad-mini4-wifi-b4b5b9" },
        { "iPad5,3", "iPad Air 2 (WiFi)", "Air 2", "ipad-air2-wifi-b4b5b9" },
        { "iPad5,4", "iPad Air 2 (Cellular)", "Air 2", "ipad-air2-wifi-b4b5b9" },
        { "iPad6,3", "iPad Pro (9.7 inch, WiFi)", "iPad Pro", "ipad-pro-9point7-wifi-b9b7ba" },
        { "iPad6,4", "iPad Pro (9.7 inch, WiFi+LTE)", "iPad Pro", "ipad-pro-9point7-wifi-b9b7ba" },
        { "iPad6,7", "iPad Pro (12.9 inch, WiFi)", "iPad Pro", "ipad-pro-12point9-1" },
        { "iPad6,8", "iPad Pro (12.9 inch, WiFi+LTE)", "iPad Pro", "ipad-pro-12point9-1" },
        { "iPad6,11", "iPad (2017)", "iPad", "ipad-pro-9point7-wifi-b9b7ba" },
        { "iPad6,12", "iPad (2017)", "iPad", "ipad-pro-9point7-wifi-b9b7ba" },
        { "iPad7,1", "iPad Pro 2nd Gen (WiFi)", "iPad Pro", "ipad-pro-wwan-b4b5b9" },
        { "iPad7,2", "iPad Pro 2nd Gen (WiFi+Cellular)", "iPad Pro", "ipad-pro-wwan-b4b5b9" },
        { "iPad7,3", "iPad Pro 10.5-inch", "iPad Pro", "ipad-pro-wwan-b4b5b9" },
        { "iPad7,4", "iPad Pro 10.5-inch", "iPad Pro", "ipad-pro-wwan-b4b5b9" },
        { "iPad7,5", "iPad 6th Gen (WiFi)", "iPad", "ipad-pro-9point7-wifi-b9b7ba" },
        { "iPad7,6", "iPad 6th Gen (WiFi+Cellular)", "iPad", "ipad-pro-9point7-wifi-b9b7ba" },
        { "iPad7,11", "iPad 7th Gen 10.2-inch (WiFi)", "iPad", "ipad-pro-9point7-wifi-b9b7ba" },
        { "iPad7,12", "iPad 7th Gen 10.2-inch (WiFi+Cellular)", "iPad", "ipad-pro-9point7-wifi-b9b7ba" },
        { "iPad8,1", "iPad Pro 11 inch (WiFi)", "iPad Pro", "ipad-pro-11-1" },
        { "iPad8,2", "iPad Pro 11 inch (1TB, WiFi)", "iPad Pro 11", "ipad-pro-11-1" },
        { "iPad8,3", "iPad Pro 11 inch (WiFi+Cellular)", "iPad Pro", "ipad-pro-11-1" },
        { "iPad8,4", "iPad Pro 11 inch (1TB, WiFi+Cellular)", "iPad Pro", "ipad-pro-11-1" },
        { "iPad8,5", "iPad Pro 12.9 inch 3rd Gen (WiFi)", "iPad Pro", "ipad-pro-12point9-1" },
        { "iPad8,6", "iPad Pro 12.9 inch 3rd Gen (1TB, WiFi)", "iPad Pro", "ipad-pro-12point9-1" },
        { "iPad8,7", "iPad Pro 12.9 inch 3rd Gen (WiFi+Cellular)", "iPad Pro", "ipad-pro-12point9-1" },
        { "iPad8,8", "iPad Pro 12.9 inch 3rd Gen (1TB, WiFi+Cellular)", "iPad Pro", "ipad-pro-12point9-1" },
        { "iPad8,9", "iPad Pro 11 inch 2nd Gen (WiFi)", "iPad Pro", "ipad-pro-11-2" },
        { "iPad8,10", "iPad Pro 11 inch 2nd Gen (WiFi+Cellular)", "iPad Pro", "ipad-pro-11-2" },
        { "iPad8,11", "iPad Pro 12.9 inch 4th Gen (WiFi)", "iPad Pro", "ipad-pro-12point9-2" },
        { "iPad8,12", "iPad Pro 12.9 inch 4th Gen (WiFi+Cellular)", "iPad Pro", "ipad-pro-12point9-2" },
        { "iPad11,1", "iPad mini 5th Gen (WiFi)", "Mini", "ipad-mini5-wifi-1" },
        { "iPad11,2", "iPad mini 5th Gen", "Mini", "ipad-mini5-wifi-1" },
        { "iPad11,3", "iPad Air 3rd Gen (WiFi)", "Air", "ipad-air3-wwan-1" },
        { "iPad11,4", "iPad Air 3rd Gen", "Air", "ipad-air3-wwan-1" },
        { "iPad11,6", "iPad 8th Gen (WiFi)", "iPad 8th", "ipad-pro-wwan-b4b5b9" },
        { "iPad11,7", "iPad 8th Gen (WiFi+Cellular)", "iPad 8th", "ipad-pro-wwan-b4b5b9" },
        { "iPad13,1", "iPad Air 4th Gen (WiFi)", "Air", "ipad-air4-1" },
        { "iPad13,2", "iPad Air 4th Gen (WiFi+Cellular)", "Air", "ipad-air4-1" },
        { "iPad13,4", "iPad Pro 11 inch 3rd Gen", "iPad Pro", "ipad-pro-11-1" },
        { "iPad13,5", "iPad Pro 11 inch 3rd Gen", "iPad Pro", "ipad-pro-11-1" },
        { "iPad13,6", "iPad Pro 11 inch 3rd Gen", "iPad Pro", "ipad-pro-11-1" },
        { "iPad13,7", "iPad Pro 11 inch 3rd Gen", "iPad Pro", "ipad-pro-11-1" },
        { "iPad13,8", "iPad Pro 12.9 inch 5th Gen", "iPad Pro", "ipad-pro-12point9-2" },
        { "iPad13,9", "iPad Pro 12.9 inch 5th Gen", "iPad Pro", "ipad-pro-12point9-2" },
        { "iPad13,10", "iPad Pro 12.9 inch 5th Gen", "iPad Pro", "ipad-pro-12point9-2" },
        { "iPad13,11", "iPad Pro 12.9 inch 5th Gen", "iPad Pro", "ipad-pro-12point9-2" },
        { "iPad13,16", "iPad Air 5th Gen (WiFi)", "Air", "ipad-pro-12point9-2" },
        { "iPad13,17", "iPad Air 5th Gen (WiFi+Cellular)", "Air", "ipad-pro-12point9-2" },
        { "iPad13,18", "iPad 10th Gen", "iPad", "ipad-pro-12point9-2" },
        { "iPad13,19", "iPad 10th Gen", "iPad", "ipad-pro-12point9-2" },
        { "iPad14,3-A", "iPad Pro 11 inch 4th Gen", "iPad Pro", "ipad-pro-11-1" },
        { "iPad14,3-B", "iPad Pro 11 inch 4th Gen", "iPad Pro", "ipad-pro-11-1" },
        { "iPad14,4-A", "iPad Pro 11 inch 4th Gen", "iPad Pro", "ipad-pro-11-1" },
        { "iPad14,4-B", "iPad Pro 11 inch 4th Gen", "iPad Pro", "ipad-pro-11-1" },
        { "iPad14,5-A", "iPad Pro 12.9 inch 6th Gen", "iPad Pro", "ipad-pro-12point9-2" },
        { "iPad14,5-B", "iPad Pro 12.9 inch 6th Gen", "iPad Pro", "ipad-pro-12point9-2" },
        { "iPad14,6-A", "iPad Pro 12.9 inch 6th Gen", "iPad Pro", "ipad-pro-12point9-2" },
        { "iPad14,6-B", "iPad Pro 12.9 inch 6th Gen", "iPad Pro", "ipad-pro-12point9-2" },
    };
    return s_rows;
}

const std::vector<ModelRow> &watchTable()
{
    static const std::vector<ModelRow> s_rows {
        { "Watch1,1", "Apple Watch 38mm case", "Watch", "watch-38mm-3" },
        { "Watch1,2", "Apple Watch 42mm case", "Watch", "watch-42mm-4" },
        { "Watch2,6", "Apple Watch Series 1 38mm case", "Watch 1", "watch-38mm-3" },
        { "Watch2,7", "Apple Watch Series 1 42mm case", "Watch 1", "watch-42mm-4" },
        { "Watch2,3", "Apple Watch Series 2 38mm case", "Watch 2", "watch-38mm-series2-2" },
        { "Watch2,4", "Apple Watch Series 2 42mm case", "Watch 2", "watch-42mm-series2-2" },
        { "Watch3,1", "Apple Watch Series 3 38mm case (GPS+Cellular)", "Watch 3", "watch-38mm-series3-11" },
        { "Watch3,2", "Apple Watch Series 3 42mm case (GPS+Cellular)", "Watch 3", "watch-42mm-series3-11" },
        { "Watch3,3", "Apple Watch Series 3 38mm case (GPS)", "Watch 3", "watch-38mm-series3-11" },
        { "Watch3,4", "Apple Watch Series 3 42mm case (GPS)", "Watch 3", "watch-42mm-series3-11" },
        { "Watch4,1", "Apple Watch Series 4 40mm case (GPS)", "Watch 4", "watch-series4-6" },
        { "Watch4,2", "Apple Watch Series 4 44mm case (GPS)", "Watch 4", "watch-series4-6" },
        { "Watch4,3", "Apple Watch Series 4 40mm case (GPS+Cellular)", "Watch 4", "watch-series4-6" },
        { "Watch4,4", "Apple Watch Series 4 44mm case (GPS+Cellular)", "Watch 4", "watch-series4-6" },
        { "Watch5,1", "Apple Watch Series 5 40mm case (GPS)", "Watch 5", "watch-series5-1" },
        { "Watch5,2", "Apple Watch Series 5 44mm case (GPS)", "Watch 5", "watch-series5-1" },
        { "Watch5,3", "Apple Watch Series 5 40mm case (GPS+Cellular)", "Watch 5", "watch-series5-1" },
        { "Watch5,4", "Apple Watch Series 5 44mm case (GPS+Cellular)", "Watch 5", "watch-series5-1" },
        { "Watch5,9", "Apple Watch SE 40mm case (GPS)", "Watch SE", "watch-se-1" },
        { "Watch5,10", "Apple Watch SE 44mm case (GPS)", "Watch SE", "watch-se-1" },
        { "Watch5,11", "Apple Watch SE 40mm case (GPS+Cellular)", "Watch SE", "watch-se-1" },
        { "Watch5,12", "Apple Watch SE 44mm case (GPS+Cellular)", "Watch SE", "watch-se-1" },
        { "Watch6,1", "Apple Watch Series 6 40mm case (GPS)", "Watch 6", "watch-series6-2" },
        { "Watch6,2", "Apple Watch Series 6 44mm case (GPS)", "Watch 6", "watch-series6-2" },
        { "Watch6,3", "Apple Watch Series 6 40mm case (GPS+Cellular)", "Watch 6", "watch-series6-2" },
        { "Watch6,4", "Apple Watch Series 6 44mm case (GPS+Cellular)", "Watch 6", "watch-series6-2" },
        { "Watch6,6", "Apple Watch Series 7 41mm case (GPS)", "Watch 7", "watch-series7-2" },
        { "Watch6,7", "Apple Watch Series 7 45mm case (GPS)", "Watch 7", "watch-series7-2" },
        { "Watch6,8", "Apple Watch Series 7 41mm case (GPS+Cellular)", "Watch 7", "watch-series7-2" },
        { "Watch6,9", "Apple Watch Series 7 45mm case (GPS+Cellular)", "Watch 7", "watch-series7-2" },
        { "Watch6,10", "Apple Watch SE 40mm case (GPS)", "Watch SE", "watch-series6-2" },
        { "Watch6,11", "Apple Watch SE 44mm case (GPS)", "Watch SE", "watch-series6-2" },
        { "Watch6,12", "Apple Watch SE 40mm case (GPS+Cellular)", "Watch SE", "watch-se-2nd-2" },
        { "Watch6,13", "Apple Watch SE 44mm case (GPS+Cellular)", "Watch SE", "watch-se-2nd-2" },
        { "Watch6,14", "Apple Watch Series 8 41mm case (GPS)", "Watch 8", "watch-series6-2" },
        { "Watch6,15", "Apple Watch Series 8 45mm case (GPS)", "Watch 8", "watch-series6-2" },
        { "Watch6,16", "Apple Watch Series 8 41mm case (GPS+Cellular)", "Watch 8", "watch-series7-2" },
        { "Watch6,17", "Apple Watch Series 8 45mm case (GPS+Cellular)", "Watch 8", "watch-series7-2" },
        { "Watch6,18", "Apple Watch Ultra", "Watch Ultra", "watch-u-8" },
    };
    return s_rows;
}
const ModelRow &genericPhone()
{
    static constexpr ModelRow s_row { "", "iPhone", "iPhone", "iphone-14-pro-2" };
    return s_row;
}

const ModelRow &genericTablet()
{
    static constexpr ModelRow s_row { "", "iPad", "iPad", "ipad-pro-12point9-2" };
    return s_row;
}

const ModelRow &genericWatch()
{
    static constexpr ModelRow s_row { "", "Apple Watch", "Apple Watch", "watch-placeholder" };
    return s_row;
}

} // namespace olvane
