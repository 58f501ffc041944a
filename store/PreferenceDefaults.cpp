#include "PreferenceDefaults.h"

namespace {

const char16_t modes[] = u"Bus\nCar\nFlight\nShip";
const char16_t priorities[] = u"Low\nMedium\nHigh";
const char16_t statuses[] = u"Planned\nOn going\nDone\nDiscontinued";
const char16_t types[] = u"Business\nPersonal";

// Several products end in one blank; they are kept exactly as they are.
const char16_t products[] =
    u"Food\nHotel Charges\nTravel Charges\nService Charge\nshopping\nCamera\nVideo camera\n"
    u"Portable Tape/CD Player\nHeadphones\nDVD Player\nPocket PC\nBluetooth Navigator\nLaptop\n"
    u"Magazine\nBooks\nPDAs\nMemory Card\nBinoculars\nShuttle racket\nFootball\nBaseball\n"
    u"Volleyball\nFootwear\nDress\nMusical CD\nshirt\npant\nToys\nHouse hold Items\nSoftware\n"
    u"Computer\nBags\nMobile Phones\nFruits\nApple\nBanana\nAvocado \nPapaya \nGuava \n"
    u"Cantaloupe \nOrange \nApricots \nMango \nStrawberries\nKiwi \nGrapefruit \nWhite grapes \n"
    u"Strawberries \nRaspberries \nBlackberries \nPineapples \nPrunes \nPears \nSweet cherries \n"
    u"Peaches";

const char16_t units[] = u"Bag\nBox\nBottle\nBundles\nCan\nCarton\nGallon\nGrams\nKg\nLbs\nLitre\n"
                         u"ml\nPint\nkg\nQuart\nRem\nRol\nDozen";

// The master check list is two texts joined with nothing between them; the first ends
// in a newline so that the second continues the list.
const char16_t masterListFirst[] =
    u"Passport\nSpare Passport Photos\nVisa\nAirline/Transportation Tickets\n"
    u"Health Card/Documentation\nReservation Information\nDriver\u2019s license\n"
    u"International Driver\u2019s License\nInsurance Documentation\nAddress Book\n"
    u"Business Cards\nMembership cards(AAA, Hertz, Hilton, United, etc.)\nMaps\nGuide Books\n"
    u"Travel Journal\nPresentation Articles\nMemory Card\nNotebook\nLanguage Books\n"
    u"Reading material(books, magazines, newspapers)\nBaby Food\nAccesories\nLuggage\n"
    u"Backback\nFanny Pack\nSprinklers\nLuggage Tags\nPortable Iron/Steamer\n"
    u"Dirty Laundry Bag\nLaundry Soap\nTravel clothesline\nPlug adapters\nTransformers\n"
    u"Flashlight\n";
const char16_t masterListSecond[] =
    u"Binoculars\nCamera\nVideo camera\nPortable Tape/CD Player\nHeadphones\n"
    u"Travel Watch/Alarm\nMulti-Function Pocket Knife\nZipclose plastic bags\n"
    u"Sewing/Repair Kit\nUmbrella\nPens/Pencils\nInflatable Travel Pillow\nDress Shoes\n"
    u"Casual Shoes, Socks, Hosiery\nDeodorant\nSoap\nManicure Articles\nMirror\n"
    u"Toothbrush, Toothpaste\nDental Floss\nShampoo, Conditioner\nBlow Dryer\nHairspray/Gel\n"
    u"Razor\nShaving Cream\nSunscreen\nBelt\nPrescription Glasses\nContact Lenses\n"
    u"Eye/Lens Drops\nLens Cleaner\nLens/Glasses Cases\nSunglasses\nFirst Aid Kit\nScissors\n"
    u"Plastic grocery\nzip-lock bags\nTissues\nClothes\nSun hat\nFood\nformula\nwater\n"
    u"Lotions\nNightlight";

} // namespace

QString DefaultPreferenceText(int listNumber)
{
    switch (listNumber) {
    case 1:
        return QString::fromUtf16(modes);
    case 2:
        return QString::fromUtf16(priorities);
    case 3:
        return QString::fromUtf16(statuses);
    case 4:
        return QString::fromUtf16(types);
    case 5:
        return QString::fromUtf16(products);
    case 6:
        return QString::fromUtf16(units);
    case 7:
        return QString::fromUtf16(masterListFirst) + QString::fromUtf16(masterListSecond);
    default:
        return {};
    }
}
