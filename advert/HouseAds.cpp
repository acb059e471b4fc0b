#include "HouseAds.h"

const std::array<THouseAd, 4> HouseAds{{
    {"Advertise here", "Your ad", "Reach picture lovers every single day", "Book a banner",
     "http://ads.glimmerscout.example/", QColor(14, 60, 30), QColor(46, 142, 72), QColor(236, 255, 140),
     TEmblem::Star},
    {"Lumen Lane Prints", "Lumen Lane", "Your best finds, printed on canvas", "Order prints",
     "http://www.lumenlane.example/", QColor(8, 62, 82), QColor(18, 132, 150), QColor(255, 196, 61),
     TEmblem::Picture},
    {"Kestrel Cameras", "Kestrel", "Sharp pictures start with a sharp lens", "See the range",
     "http://www.kestrelcameras.example/", QColor(92, 16, 20), QColor(196, 62, 36), QColor(255, 226, 160),
     TEmblem::Aperture},
    {"Harbour Hosting", "Harbour", "Put your picture gallery online today", "Start free",
     "http://www.harbourhosting.example/", QColor(24, 22, 78), QColor(88, 58, 168), QColor(120, 226, 255),
     TEmblem::Cloud},
}};
