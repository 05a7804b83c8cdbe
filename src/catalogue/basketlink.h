// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

namespace Mervak {

class DataSet;

/*!
    What the item entry needs of the basket page: its data set and its load. The basket page
    implements it, so the catalogue does not depend on the orders folder.
*/
class BasketLink
{
public:
    virtual ~BasketLink() = default;

    // The basket data set `sepet` once no load is filling it; waits for a running load.
    virtual DataSet *settledBasket() = 0;
    // Loads the basket from the server and waits for it; false when it could not be loaded.
    virtual bool LoadBasket() = 0;
};

} // namespace Mervak
