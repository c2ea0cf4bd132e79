<?php
// Order helpers for the web shop
function orderTotal($qty, $price) {
    return $qty * $price;
}

function showOrder($id) {
    echo "Order $id";
}
